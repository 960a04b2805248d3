#!/usr/bin/env bash
# Fuzzes every reader with libFuzzer for SECONDS in all (shared among the
# harnesses), each with AddressSanitizer and UndefinedBehaviorSanitizer.
# Seeds come from tests/data and examples; the working corpus grows in
# build-fuzz/corpus/. An input that fails is kept in fuzz/crashes/HARNESS/,
# which the normal tests replay: commit it with its fix.
#
# usage: scripts/fuzz.sh SECONDS [HARNESS...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"; shift || true

packages=(clang libclang-rt-14-dev cmake ninja-build libxml2-dev libfreetype-dev libfontconfig-dev libboost-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=(); [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

[ -f build-fuzz/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMAP_FUZZ=ON >/dev/null
cmake --build build-fuzz >build-fuzz/build.log || { tail -30 build-fuzz/build.log >&2; exit 1; }

# Each harness and the seeds it starts from.
declare -A seeds=(
  [FuzzPlotFile]="examples tests/data/golden tests/data/hostile"
  [FuzzSVGDrawing]="tests/data/golden tests/data/illustrator fuzz/seeds/svg"
  [FuzzSVGText]="fuzz/seeds/text"
  [FuzzMergeTarget]="fuzz/seeds/merge"
  [FuzzSettingsFile]="fuzz/seeds/settings"
)
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=("${!seeds[@]}")
share=$(( seconds / ${#harnesses[@]} ))
[ "$share" -ge 1 ] || share=1

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
status=0
for harness in "${harnesses[@]}"; do
  corpus="build-fuzz/corpus/$harness"; crashes="fuzz/crashes/$harness"
  mkdir -p "$corpus" "$crashes"
  dirs=()
  for dir in ${seeds[$harness]}; do dirs+=("$dir"); done
  log="build-fuzz/$harness.log"
  if ! "build-fuzz/fuzz/$harness" "$corpus" "${dirs[@]}" -max_total_time="$share" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$crashes/" -print_final_stats=1 >"$log" 2>&1; then
    status=1
    echo "$harness: FAILED, see $log and $crashes/" >&2
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
  echo "$harness: ${share}s, $runs runs, $speed exec/s, $cov"
done
exit "$status"
