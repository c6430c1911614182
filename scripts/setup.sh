#!/usr/bin/env bash
# Installs what building and testing BRAXOL needs on Debian 12, only what is missing, and
# configures the build folder ($BRAXOL_BUILD, default build; $BRAXOL_CMAKE_ARGS are added when
# it is configured). Silent when everything is already there.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  qt6-base-dev qt6-translations-l10n libgl-dev
  libcurl4-openssl-dev libssl-dev openssl libcpp-httplib-dev python3-aiosmtpd
  fonts-liberation xvfb xauth poppler-utils libboost-dev
  librsvg2-bin
)
# What a calling script needs besides (scripts/package.sh: the package checkers; scripts/fuzz.sh:
# clang and its libFuzzer).
read -r -a extra <<< "${BRAXOL_EXTRA_PACKAGES:-}"
PACKAGES+=("${extra[@]}")

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installo: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq >/dev/null
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Only the packages, when the caller builds in its own way.
if [ -n "${BRAXOL_NO_BUILD:-}" ]; then exit 0; fi

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BRAXOL_BUILD:-$ROOT/build}"
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    ${BRAXOL_CMAKE_ARGS:-} >/dev/null
fi
# $BRAXOL_BUILD_TARGETS: only these targets (all by default).
cmake --build "$BUILD" -j 2 ${BRAXOL_BUILD_TARGETS:+--target $BRAXOL_BUILD_TARGETS}
