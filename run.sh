#!/usr/bin/env bash
# Installs what is missing, builds, and runs quillmap. With no arguments it
# exports the bundled sample plot as an SVG drawing; otherwise it passes
# them on.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh >/dev/null
if [ $# -eq 0 ]; then
  mkdir -p build/out
  set -- export examples/blue-spring.plt -o build/out/blue-spring.svg --overwrite
fi
exec build/src/cli/quillmap "$@"
