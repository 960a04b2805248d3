#!/usr/bin/env bash
# Builds the Debian package of Quillmap with CPack into build-package/:
# a release build without tests and benchmarks, its library dependencies
# found by dpkg-shlibdeps, checked by lintian where lintian is installed.
# Prints the package's name and contents.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# dpkg-shlibdeps finds the dependencies; CPack finds the programs with file.
needed=()
command -v dpkg-shlibdeps >/dev/null || needed+=(dpkg-dev)
command -v file >/dev/null || needed+=(file)
if [ ${#needed[@]} -gt 0 ]; then
  as_root=(); [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${needed[@]}" >&2
fi
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQUILLMAP_BUILD_TESTS=OFF -DQUILLMAP_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-package
(cd build-package && cpack -G DEB >/dev/null)
package="$(ls -t build-package/quillmap_*.deb | head -1)"
echo "$package"
dpkg-deb --info "$package" | grep -E '^ (Package|Version|Architecture|Depends|Section):'
dpkg-deb --contents "$package" | awk '{print $6}'
if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$package" || true
else
  echo "lintian is not installed: the package was not checked by it" >&2
fi
