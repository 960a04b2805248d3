#!/usr/bin/env bash
# Installs Debian's Inkscape and what the editor scripts in tools/ drive it
# with (a virtual display, xdotool, ImageMagick). Only these scripts need
# them; the build and the tests do not.
set -euo pipefail
packages=(inkscape xvfb xdotool imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "install-editor: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq >&2
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
