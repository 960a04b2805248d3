#!/usr/bin/env bash
# Exports a plot file, opens the drawing in Inkscape on a virtual display and
# takes a picture of Inkscape's Layers panel with the layers that hold
# sub-layers opened: the proof that Inkscape lists every layer of an export.
#
# usage: tools/inkscape-layers.sh FILE.plt OUT.png [export options]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 FILE.plt OUT.png [export options]" >&2; exit 2; }
root="$(cd "$(dirname "$0")/.." && pwd)"
plot="$(realpath "$1")"; picture="$(realpath -m "$2")"; shift 2

"$root/tools/install-editor.sh"
"$root/scripts/build.sh" >/dev/null

work="$(mktemp -d)"
display=:$((90 + RANDOM % 100))
cleanup() { kill "${inkscape_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

svg="$work/$(basename "${plot%.*}").svg"
"$root/build/src/cli/quillmap" export "$plot" -o "$svg" "$@" >/dev/null

Xvfb "$display" -screen 0 1400x900x24 >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display" HOME="$work"  # a fresh Inkscape profile, the same every run
sleep 2
inkscape "$svg" >/dev/null 2>&1 &
inkscape_pid=$!

window=""
for _ in $(seq 60); do
  window="$(xdotool search --name "$(basename "$svg")" 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  sleep 1
done
[ -n "$window" ] || { echo "$0: Inkscape did not open $svg" >&2; exit 1; }
sleep 8
xdotool windowmove "$window" 0 0 windowsize "$window" 1400 900
sleep 2
xdotool windowfocus "$window"
xdotool key --window "$window" ctrl+shift+l   # Layers and Objects
sleep 4
# Open the layers that hold sub-layers, from the bottom of the list up so
# that the rows above keep their places: vdr_tracing, w2d_Detail,
# w2d_Walls, w2d_Survey, w2d_Legend (rows of the fresh profile's panel).
for y in 439 391 367 343 222; do
  xdotool mousemove 1170 "$y" click 1
  sleep 0.7
done
sleep 2
import -window root "$picture"
echo "$picture: Inkscape's Layers panel for $(basename "$plot")"
