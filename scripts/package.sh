#!/usr/bin/env bash
# Makes the Debian package braxol_<version>_amd64.deb and checks it: lintian (no errors, no
# warnings), the desktop entry and the AppStream metadata. The programs are built for it in a
# folder of their own (build-deb, or $BRAXOL_PACKAGE_BUILD) with Debian's build flags and
# without tests and benchmarks; the package is written there. `cpack -G DEB` in any build
# folder makes the same package from that folder's build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BRAXOL_PACKAGE_BUILD:-$ROOT/build-deb}"

BRAXOL_EXTRA_PACKAGES="dpkg-dev file lintian desktop-file-utils appstream" BRAXOL_NO_BUILD=1 \
  "$ROOT/scripts/setup.sh"

# Debian's hardening, as its own packages are built: fortified functions, stack protector,
# read-only relocations bound at start.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
export CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
# The release date in the metadata and the manual pages: that of the last commit.
SOURCE_DATE_EPOCH="$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || date +%s)"
export SOURCE_DATE_EPOCH
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRAXOL_TESTS=OFF -DBRAXOL_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j 2
(cd "$BUILD" && cpack -G DEB >/dev/null)

VERSION="$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$BUILD/CPackConfig.cmake")"
DEB="$BUILD/braxol_${VERSION}_amd64.deb"
desktop-file-validate "$ROOT/packaging/it.braxol.braxol.desktop"
appstreamcli validate --no-net --explain "$BUILD/packaging/it.braxol.braxol.metainfo.xml" >/dev/null
status=0
lintian --display-info --fail-on error,warning "$DEB" >"$BUILD/lintian.txt" 2>&1 || status=$?
grep -v "running with root privileges" "$BUILD/lintian.txt" || true
if [ "$status" -ne 0 ]; then
  echo "lintian: il pacchetto ha errori o avvertimenti" >&2
  exit "$status"
fi
echo "$DEB"
