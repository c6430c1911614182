#!/usr/bin/env bash
# Installs the package in a fresh Debian 12 root and starts BRAXOL there as a brewer would: apt
# resolves the package's dependencies, then a user starts the desktop entry's command in the
# home folder under Xvfb. It reports the windows that opened, the data folder that was made
# and the versions. Needs root and Debian's mirror, and takes minutes: scripts/test.sh does
# not call it.
#
#   scripts/try-package.sh [braxol_<version>_amd64.deb]   (default: what scripts/package.sh made)
#
# BRAXOL_DEBIAN_MIRROR names another mirror; BRAXOL_KEEP_ROOT=1 keeps the root for a look.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "$(id -u)" -ne 0 ]; then
  echo "serve l'utente root (debootstrap e chroot)" >&2
  exit 2
fi
DEB="${1:-$(ls -t "${BRAXOL_PACKAGE_BUILD:-$ROOT/build-deb}"/braxol_*_amd64.deb 2>/dev/null | head -1)}"
if [ ! -f "$DEB" ]; then
  echo "nessun pacchetto: eseguire prima scripts/package.sh" >&2
  exit 2
fi
MIRROR="${BRAXOL_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
if ! command -v debootstrap >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

TARGET="$(mktemp -d /tmp/braxol-debian12.XXXXXX)"
chmod 755 "$TARGET"  # the root of the new system: every user walks through it
cleanup() {
  for m in proc dev/pts dev; do
    if mountpoint -q "$TARGET/$m"; then umount -l "$TARGET/$m"; fi
  done
  if [ -z "${BRAXOL_KEEP_ROOT:-}" ]; then rm -rf "$TARGET"; else echo "radice: $TARGET"; fi
}
trap cleanup EXIT
in_root() { chroot "$TARGET" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
  DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 "$@"; }

echo "== debootstrap --variant=minbase bookworm ($MIRROR)"
debootstrap --variant=minbase bookworm "$TARGET" "$MIRROR" >"$TARGET.debootstrap.log" 2>&1 \
  || { tail -20 "$TARGET.debootstrap.log"; exit 1; }
rm -f "$TARGET.debootstrap.log"
cp /etc/resolv.conf "$TARGET/etc/resolv.conf"
mount -t proc proc "$TARGET/proc"
mount --bind /dev "$TARGET/dev"
mount --bind /dev/pts "$TARGET/dev/pts"

echo "== apt-get install ./$(basename "$DEB")"
cp "$DEB" "$TARGET/tmp/"
in_root apt-get update -qq
in_root sh -c "cd /tmp && apt-get install -y -qq ./$(basename "$DEB")" >/dev/null
in_root dpkg-query -W -f='${Package} ${Version} ${Status}\n' braxol
# What the check itself needs, not the program: a display and a look at its windows.
in_root apt-get install -y -qq --no-install-recommends xvfb xauth x11-utils >/dev/null

echo "== versioni"
in_root braxol-records --version
in_root sh -c 'QT_QPA_PLATFORM=offscreen braxol --version'

echo "== avvio dal menu del desktop, come utente, sotto Xvfb"
COMMAND="$(sed -n 's/^Exec=//p' "$TARGET/usr/share/applications/it.braxol.braxol.desktop")"
echo "Exec=$COMMAND"
in_root useradd --create-home --shell /bin/sh birraio
cat >"$TARGET/home/birraio/prova.sh" <<SCRIPT
cd "\$HOME"
$COMMAND >"\$HOME/braxol.log" 2>&1 &
program=\$!
for i in \$(seq 60); do
  if xwininfo -root -tree | grep -q "Microbirrifici (BRAXOL)"; then break; fi
  sleep 0.5
done
sleep 2
echo "-- finestre:"
xwininfo -root -tree | grep -E '"[^"]+"' | sed -n 's/^ *\(0x[0-9a-f]*\) \("[^"]*"\).*/\2/p' | sort -u
if kill -0 "\$program" 2>/dev/null; then echo "-- braxol in esecuzione"; kill "\$program"; else echo "-- braxol terminato"; fi
wait "\$program" 2>/dev/null || true
echo "-- messaggi del programma:"; cat "\$HOME/braxol.log"
SCRIPT
chmod 755 "$TARGET/home/birraio/prova.sh"
in_root su - birraio -c 'xvfb-run -a sh ~/prova.sh'
echo "-- cartella dei dati:"
(cd "$TARGET/home/birraio" && find BRAXOL .config/braxol -maxdepth 2 | sort)
echo "-- impostazioni:"
cat "$TARGET/home/birraio/.config/braxol/braxol.conf"
