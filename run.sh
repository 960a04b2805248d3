#!/usr/bin/env bash
# Installs what is missing, builds, and runs quillmap. With no arguments it
# shows what the bundled sample plot holds; otherwise it passes them on.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh >/dev/null
if [ $# -eq 0 ]; then
  set -- info examples/blue-spring.plt
fi
exec build/src/cli/quillmap "$@"
