#!/usr/bin/env bash
# Installs the Debian packages Quillmap needs to build, test and run, and the
# German locale the tests use to prove that numbers ignore the locale.
# Idempotent: does nothing (and prints nothing) when all is present.
# Works as root (CI) or through sudo.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins
  libxml2-dev libfreetype-dev libfontconfig-dev libboost-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation
  desktop-file-utils shared-mime-info
  locales
)
test_locale=de_DE.UTF-8

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  as_root=(false)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq >&2
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2 \
    || { echo "install-deps: could not install ${missing[*]} (need root or sudo)" >&2; exit 1; }
fi

if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  "${as_root[@]}" localedef -i de_DE -f UTF-8 "$test_locale" >&2 \
    || echo "install-deps: could not generate $test_locale; locale tests will be skipped" >&2
fi
