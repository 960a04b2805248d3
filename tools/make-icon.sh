#!/usr/bin/env bash
# Renders the program's icon (packaging/quillmap.svg) as the 256 px PNG that
# desktops without SVG icons show; the PNG is committed beside it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-editor.sh"
inkscape "$root/packaging/quillmap.svg" -o "$root/packaging/quillmap-256.png" -w 256 -h 256 2>/dev/null
echo "packaging/quillmap-256.png"
