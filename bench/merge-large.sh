#!/usr/bin/env bash
# Times a whole `quillmap merge` at real size and prints its peak memory: a
# generated plot of VECTORS vectors (default 100 000) exported, artwork drawn
# round every shot (tools/artgen), the survey then bent a little as a loop
# closure bends it, and the drawing merged onto the bent survey with the
# morph factors A,B,P,N (default: the settings' own). With WINDOW=1 the
# same merge runs in the window too (offscreen), which reports how long it
# went without painting.
#   [WINDOW=1] bench/merge-large.sh [VECTORS] [RATIO] [MORPH]
set -euo pipefail
cd "$(dirname "$0")/.."
vectors=${1:-100000}
ratio=${2:-1000}
morph=(); [ -z "${3:-}" ] || morph=(--morph "$3")
scripts/install-deps.sh
if ! [ -x /usr/bin/time ]; then
  as_root=(); [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends time >&2
fi
scripts/build.sh >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
quillmap=build/src/cli/quillmap

build/tools/plotgen "$vectors" "$work/cave.plt"
# A sheet large enough for the whole cave at the ratio.
"$quillmap" export "$work/cave.plt" -o "$work/cave.svg" --ratio "$ratio" --paper-size 1000,1000 >/dev/null
build/tools/artgen "$work/cave.svg" "$work/art.svg" >"$work/artgen.txt"
# Every station moved by a smooth field of up to 3 feet, the same for every
# occurrence of a station.
awk '/^[MDd] / { $2 = sprintf("%.2f", $2 + 3 * sin($3 / 400)); $3 = sprintf("%.2f", $3 + 3 * cos($2 / 500)) } { print }' \
  "$work/cave.plt" >"$work/moved.plt"

shots=$(grep -c 'style="&V_s;"' "$work/art.svg" || true)
echo "plot: $vectors vectors; drawing: $(du -h "$work/art.svg" | cut -f1), $shots shot lines, $(cut -d' ' -f1 "$work/artgen.txt") artwork elements"
/usr/bin/time -f "%e %M" -o "$work/time.txt" \
  "$quillmap" merge "$work/moved.plt" "$work/art.svg" --match -o "$work/merged.svg" --report "$work/report.json" "${morph[@]}" >/dev/null
read -r seconds kilobytes <"$work/time.txt"
echo "quillmap merge: $seconds s, peak memory $((kilobytes / 1024)) MB, output $(du -h "$work/merged.svg" | cut -f1)"
grep -o '"pairs": [0-9]*' "$work/report.json"
grep -o '"largestMove": {[^}]*}' "$work/report.json"
grep -o '"fit": {"median_pt": [^,]*, "p95_pt": [^,]*, "max_pt": [^,]*' "$work/report.json"
echo "warps flagged: $(grep -o '"kind": ' "$work/report.json" | wc -l)"
if [ "${WINDOW:-0}" = 1 ]; then
  echo "in the window:"
  build/bench/quillmap_window_merge "$work/moved.plt" "$work/art.svg" 2>/dev/null
fi
