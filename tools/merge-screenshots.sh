#!/usr/bin/env bash
# Pictures of the merge in the window for docs/: the bundled sample exported
# as the drawing, the survey then re-adjusted (every station moved a few
# feet by a smooth field), and the window opened on the new survey with the
# old drawing as merge target: the Merge / Morph page, the map with the
# target's shots drawn over it, and the Graphs dialog.
#
# usage: tools/merge-screenshots.sh [OUT_DIR]   (default: docs)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/docs}")"
"$root/scripts/build.sh" >/dev/null
quillmap="$root/build/src/cli/quillmap"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$quillmap" export "$root/examples/blue-spring.plt" -o "$work/blue-spring.svg" >/dev/null
awk '/^[MDd] / { $2 = sprintf("%.2f", $2 + 6 * sin($3 / 90)); $3 = sprintf("%.2f", $3 + 6 * cos($2 / 120)) } { print }' \
  "$root/examples/blue-spring.plt" >"$work/blue-spring-2027.plt"

mkdir -p "$out"
"$quillmap" --screenshot "$out/merge-page.png" "$work/blue-spring-2027.plt" "$work/blue-spring.svg"
"$quillmap" --screenshot "$out/merge-map.png" --view map "$work/blue-spring-2027.plt" "$work/blue-spring.svg"
"$quillmap" --screenshot "$out/graphs-dialog.png" --view graphs "$work/blue-spring-2027.plt" "$work/blue-spring.svg"
echo "pictures in $out"
