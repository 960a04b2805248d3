#!/usr/bin/env bash
# Makes the editor-saved fixtures of the tests: exports plot files, opens
# and saves each export with Debian's Inkscape, and writes the files it
# saved under tests/data/inkscape/ (committed; the tests do not need
# Inkscape). Also keeps the export each was made from, for comparison.
#
# usage: tools/inkscape-roundtrip.sh [FILE.plt ...]
#   default: the bundled sample and ../shared/data/plt/dowprov.plt
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-editor.sh"
"$root/scripts/build.sh" >/dev/null
out="$root/tests/data/inkscape"
mkdir -p "$out"
plots=("$@")
if [ ${#plots[@]} -eq 0 ]; then
  plots=("$root/examples/blue-spring.plt")
  [ -f "$root/../shared/data/plt/dowprov.plt" ] && plots+=("$root/../shared/data/plt/dowprov.plt")
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work"  # a fresh Inkscape profile
for plot in "${plots[@]}"; do
  name="$(basename "${plot%.*}")"
  "$root/build/src/cli/quillmap" export "$plot" -o "$out/$name-export.svg" --overwrite >/dev/null
  inkscape "$out/$name-export.svg" --export-type=svg --export-filename="$out/$name-inkscape.svg" 2>/dev/null
  echo "$out/$name-inkscape.svg: $(inkscape --version 2>/dev/null | head -1)"
done
