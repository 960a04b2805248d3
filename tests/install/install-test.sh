#!/usr/bin/env bash
# Installs the build into a temporary folder (DESTDIR) as a package would
# into /usr, runs the installed program on the installed sample, and looks
# for every file where the desktop looks for it.
#   install-test.sh BUILD_DIR
set -euo pipefail
build="$1"
# What is installed, built if this build made only the tests.
cmake --build "$build" --target quillmap quillmap_compressed_docs >/dev/null
dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
usr="$dest/usr"
fail() { echo "install-test: $*" >&2; exit 1; }

for file in bin/quillmap share/quillmap/guide.html share/quillmap/quillmap-window.png \
  share/quillmap/examples/blue-spring.plt share/applications/quillmap.desktop \
  share/icons/hicolor/scalable/apps/quillmap.svg share/icons/hicolor/256x256/apps/quillmap.png \
  share/mime/packages/quillmap.xml share/man/man1/quillmap.1.gz \
  share/bash-completion/completions/quillmap share/doc/quillmap/copyright share/doc/quillmap/changelog.gz; do
  [ -f "$usr/$file" ] || fail "$file not installed"
done

quillmap="$usr/bin/quillmap"
"$quillmap" --version | grep -q '^quillmap [0-9]' || fail "--version"
# The guide is found beside the installed program, not in the sources.
"$quillmap" --help | grep -qx "User guide: $usr/share/quillmap/guide.html" || fail "the guide is not found where it is installed"
sample="$usr/share/quillmap/examples/blue-spring.plt"
"$quillmap" info "$sample" --json | grep -q '"loaded": true' || fail "info on the installed sample"
"$quillmap" export "$sample" -o "$dest/blue-spring.svg" >/dev/null || fail "export"
grep -q 'id="w2d_Vectors"' "$dest/blue-spring.svg" || fail "the export has no shot layer"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/quillmap.desktop" || fail "desktop entry"
fi
if command -v update-mime-database >/dev/null; then
  update-mime-database "$usr/share/mime" >/dev/null 2>&1 || fail "MIME file"
  grep -q 'application/x-quillmap-plot:\*\.plt' "$usr/share/mime/globs2" || fail "plot files have no MIME type"
  grep -q 'application/x-quillmap-settings:\*\.vmsf' "$usr/share/mime/globs2" || fail "settings files have no MIME type"
fi
if command -v man >/dev/null; then
  for word in merge compare validate repair EXIT FILES; do
    man -l "$usr/share/man/man1/quillmap.1.gz" 2>/dev/null | grep -q "$word" || fail "manual page lacks $word"
  done
fi
bash -n "$usr/share/bash-completion/completions/quillmap" || fail "bash completion"
echo "install-test: every file in place, the installed program runs"
