#!/usr/bin/env bash
# Fuzzes the readers of outside data (tests/fuzz) with libFuzzer, one target after the other,
# each for a bounded time, and keeps every crash, hang or sanitizer report as a regression case
# in tests/fuzz/regressions/<target>/, which the test suite then runs with every build.
#   scripts/fuzz.sh [--time SECONDS] [--seeds] [TARGET...]
#     --time S   seconds per target (default 60)
#     --seeds    rewrite the seed corpus tests/fuzz/corpus/ first (needs the test build)
#     --no-build run the fuzzers as built last
# The clang build lives in $BRAXOL_FUZZ_BUILD (default build-fuzz); what a run finds beyond
# the corpus stays in $BRAXOL_FUZZ_BUILD/found/<target>, the corpus in git unchanged.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BRAXOL_FUZZ_BUILD:-$ROOT/build-fuzz}"
SECONDS_PER_TARGET=60
SEEDS=0
BUILD_FIRST=1
TARGETS=()
while (($#)); do
  case "$1" in
    --time) SECONDS_PER_TARGET="$2"; shift 2 ;;
    --seeds) SEEDS=1; shift ;;
    --no-build) BUILD_FIRST=0; shift ;;
    -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
    *) TARGETS+=("$1"); shift ;;
  esac
done
FUZZ_DIR="$ROOT/tests/fuzz"
if ((${#TARGETS[@]} == 0)); then
  TARGETS=($(sed -n 's/^braxol_fuzz_target(\([a-z_]*\).*/\1/p' "$FUZZ_DIR/CMakeLists.txt"))
fi

# clang and libFuzzer: installed when missing.
BRAXOL_EXTRA_PACKAGES="clang libclang-rt-dev" BRAXOL_NO_BUILD=1 "$ROOT/scripts/setup.sh"

if ((SEEDS)); then
  TEST_BUILD="${BRAXOL_BUILD:-$ROOT/build}"
  cmake --build "$TEST_BUILD" --target fuzz_make_seeds -j 2
  "$TEST_BUILD/tests/fuzz/fuzz_make_seeds" "$FUZZ_DIR/corpus"
fi

export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DBRAXOL_FUZZ=ON -DBRAXOL_SANITIZE=ON \
    -DBRAXOL_TESTS=OFF -DBRAXOL_BENCH=OFF >/dev/null
fi
if ((BUILD_FIRST)); then cmake --build "$BUILD" -j 2 --target "${TARGETS[@]/#/fuzz_}"; fi

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for target in "${TARGETS[@]}"; do
  found="$BUILD/found/$target"
  crashes="$BUILD/crashes/$target"
  mkdir -p "$found" "$crashes"
  echo "== $target: ${SECONDS_PER_TARGET} s" >&2
  # -fork keeps fuzzing past a crash; every crash, hang (-timeout) and out-of-memory input is
  # written with the prefix into the crash folder.
  if ! "$BUILD/tests/fuzz/fuzz_$target" "$found" "$FUZZ_DIR/corpus/$target" \
      -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
      -artifact_prefix="$crashes/" -print_final_stats=1 >"$BUILD/$target.log" 2>&1; then
    status=1
  fi
  grep -E "^(stat::number_of_executed_units|#[0-9]+.*DONE)" "$BUILD/$target.log" | tail -1 >&2 || true
  shopt -s nullglob
  cases=("$crashes"/*)
  shopt -u nullglob
  if ((${#cases[@]})); then
    mkdir -p "$FUZZ_DIR/regressions/$target"
    for c in "${cases[@]}"; do mv "$c" "$FUZZ_DIR/regressions/$target/"; done
    echo "   ${#cases[@]} cases found: tests/fuzz/regressions/$target/" >&2
    status=1
  fi
done
exit $status
