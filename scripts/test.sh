#!/usr/bin/env bash
# Builds BRAXOL and runs the whole test suite headless.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/setup.sh"
BUILD="${BRAXOL_BUILD:-$ROOT/build}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD" --output-on-failure -j 2 --timeout 300 "$@"
