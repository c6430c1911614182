#!/usr/bin/env bash
# Builds BRAXOL and starts it on the current folder, which is the work folder of its data.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/setup.sh"
BUILD="${BRAXOL_BUILD:-$ROOT/build}"
exec "$BUILD/src/app/braxol"
