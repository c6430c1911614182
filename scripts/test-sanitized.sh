#!/usr/bin/env bash
# Builds BRAXOL with AddressSanitizer and UndefinedBehaviorSanitizer in its own build folder
# ($BRAXOL_ASAN_BUILD, default build-asan) and runs the test suite there: any memory error,
# leak or undefined behaviour fails its test.
#   scripts/test-sanitized.sh [--quick] [ctest arguments]   e.g. -R 'Movement'
#     --quick  only the test programs that open no window (label "nogui": the store, the
#              support tool, the training customs service and the fuzz regression cases), as
#              CI runs them; the whole suite otherwise.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BRAXOL_ASAN_BUILD:-$ROOT/build-asan}"
targets=""
label=()
if [ "${1:-}" = "--quick" ]; then
  shift
  targets="nogui_tests"
  label=(-L nogui)
fi
BRAXOL_BUILD="$BUILD" BRAXOL_BUILD_TARGETS="$targets" \
  BRAXOL_CMAKE_ARGS="-DBRAXOL_SANITIZE=ON -DBRAXOL_BENCH=OFF" "$ROOT/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
# Leak detection is on: the suite, Qt offscreen and fontconfig included, runs without a leak.
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Sanitized programs run slower: a longer timeout than the normal suite's.
ctest --test-dir "$BUILD" --output-on-failure -j 2 --timeout 900 "${label[@]}" "$@"
