#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer in a
# second build folder (build-sanitized/) and runs them; any report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
[ -f build-sanitized/build.ninja ] || cmake -S . -B build-sanitized -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQUILLMAP_SANITIZE=ON -DQUILLMAP_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-sanitized --target quillmap_tests quillmap_gui_tests
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-sanitized --output-on-failure
