#!/usr/bin/env bash
# Times quillmap's export against Survex's survexport on the same generated
# plot file of VECTORS vectors (default 1 000 000) and prints both and their
# ratio. Installs Survex's survexport (Debian package survex-aven) for this
# measurement only.
set -euo pipefail
cd "$(dirname "$0")/.."
vectors=${1:-1000000}
scripts/install-deps.sh
scripts/build.sh >/dev/null
if ! command -v survexport >/dev/null; then
  as_root=(); [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends survex-aven >&2
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/tools/plotgen "$vectors" "$work/cave.plt"
# Survex reads no hidden draws ("d" lines); give it the same shots as draws.
sed 's/^d /D /' "$work/cave.plt" > "$work/survex.plt"
echo "plot file: $(du -h "$work/cave.plt" | cut -f1), $vectors vectors"

# Milliseconds a command takes.
millis() { local start; start=$(date +%s%N); "$@" >/dev/null 2>&1; echo $(( ($(date +%s%N) - start) / 1000000 )); }

q=$(millis build/src/cli/quillmap export "$work/cave.plt" -o "$work/quillmap.svg" --overwrite)
s=$(millis survexport --svg --legs --crosses --station-names "$work/survex.plt" "$work/survex.svg")
echo "quillmap export:  $q ms ($(du -h "$work/quillmap.svg" | cut -f1) of SVG, reading the plot included)"
echo "survexport --svg: $s ms ($(du -h "$work/survex.svg" | cut -f1) of SVG)"
awk -v s="$s" -v q="$q" 'BEGIN { printf "survexport / quillmap: %.2f\n", s / q }'
