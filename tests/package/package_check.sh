#!/usr/bin/env bash
# The Debian package as a school's admin uses it: build it with cpack, install it with
# apt-get, run the installed programs, remove it and check that nothing of it is left.
# Needs root; exits 77 (skipped) otherwise, and on a machine where a package "zedro" is
# installed already (it is not touched).
# Arguments: the build directory, a scratch directory.
set -euo pipefail
BUILD="$(cd "$1" && pwd)"
SCRATCH="$2"

if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: installing a package needs root"
  exit 77
fi
status() { dpkg-query -W -f='${Status}' zedro 2>/dev/null || true; }
if [ "$(status)" = "install ok installed" ]; then
  echo "skipped: a package zedro is installed on this machine already"
  exit 77
fi
for tool in cpack dpkg-shlibdeps apt-get; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (scripts/setup.sh installs it)" >&2; exit 1; }
done

rm -rf "$SCRATCH"
mkdir -p "$SCRATCH"
(cd "$BUILD" && cpack -G DEB -B "$SCRATCH/package" >"$SCRATCH/cpack.log" 2>&1) ||
  { cat "$SCRATCH/cpack.log" >&2; exit 1; }
DEB="$(ls "$SCRATCH"/package/zedro_*_amd64.deb)"
echo "built $(basename "$DEB")"

# What the package holds and needs.
dpkg-deb -c "$DEB" | awk '{print $6}' | sed 's|^\./|/|' >"$SCRATCH/files"
for f in /usr/bin/zedro /usr/bin/zedro-cli /usr/share/applications/zedro.desktop \
         /usr/share/mime/packages/zedro.xml /usr/share/metainfo/de.zedro.zedro.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/zedro.svg \
         /usr/share/icons/hicolor/48x48/apps/zedro.png \
         /usr/share/icons/hicolor/scalable/mimetypes/application-x-zedro-diagram.svg \
         /usr/share/man/man1/zedro.1.gz /usr/share/man/man1/zedro-cli.1.gz \
         /usr/share/doc/zedro/examples/Fahrzeuge.urd; do
  grep -qx "$f" "$SCRATCH/files" || { echo "not in the package: $f" >&2; exit 1; }
done
# Caches belong to the system, never to the package.
if grep -E '^/usr/share/mime/(mime\.cache|globs2?)$|mimeinfo\.cache|icon-theme\.cache' "$SCRATCH/files"; then
  echo "the package holds desktop caches" >&2
  exit 1
fi
DEPENDS="$(dpkg-deb -f "$DEB" Depends)"
echo "Depends: $DEPENDS"
for lib in libqt6widgets6 libgvc6 libc6; do
  case "$DEPENDS" in *"$lib"*) ;; *) echo "Depends lacks $lib" >&2; exit 1 ;; esac
done

export DEBIAN_FRONTEND=noninteractive
remove() { apt-get remove --purge -y -qq zedro >"$SCRATCH/remove.log" 2>&1 || true; }
trap remove EXIT
apt-get install -y -qq "$DEB" >"$SCRATCH/install.log" 2>&1 || { cat "$SCRATCH/install.log" >&2; exit 1; }
echo "installed"

# The installed programs, from their installed places.
cd "$SCRATCH"
/usr/bin/zedro-cli example vehicles "$SCRATCH/Fahrzeuge.urd"
# (Outputs are kept in files: grep -q ending a pipe early would fail it under pipefail.)
/usr/bin/zedro-cli dump "$SCRATCH/Fahrzeuge.urd" >"$SCRATCH/dump.json"
grep -q '"TFahrzeug"' "$SCRATCH/dump.json" || { echo "the example has no TFahrzeug" >&2; exit 1; }
QT_QPA_PLATFORM=offscreen /usr/bin/zedro --screenshot "$SCRATCH/zedro.png" \
  /usr/share/doc/zedro/examples/Fahrzeuge.urd
[ "$(head -c 4 "$SCRATCH/zedro.png" | tail -c 3)" = "PNG" ] || { echo "no PNG screenshot" >&2; exit 1; }
if command -v man >/dev/null; then
  MANWIDTH=80 man zedro-cli >"$SCRATCH/man.txt" 2>/dev/null || true
  grep -q "import-folder" "$SCRATCH/man.txt" || { echo "man zedro-cli does not show the page" >&2; exit 1; }
fi
if command -v update-mime-database >/dev/null; then
  grep -q 'application/x-zedro-diagram:\*\.urd' /usr/share/mime/globs2 ||
    { echo "the MIME type for *.urd was not registered" >&2; exit 1; }
fi
echo "zedro-cli and zedro ran from the package"

# Removal leaves nothing behind: no file of the package, no registered MIME type.
trap - EXIT
apt-get remove --purge -y -qq zedro >"$SCRATCH/remove.log" 2>&1 || { cat "$SCRATCH/remove.log" >&2; exit 1; }
case "$(status)" in
  "" | "unknown ok not-installed") ;;
  *) echo "dpkg still knows zedro: $(status)" >&2; exit 1 ;;
esac
left=0
while read -r f; do
  [ -z "$f" ] && continue
  case "$f" in */) continue ;; esac
  if [ -e "$f" ]; then echo "left behind: $f" >&2; left=1; fi
done <"$SCRATCH/files"
for f in /usr/share/mime/application/x-zedro-diagram.xml; do
  if [ -e "$f" ]; then echo "left behind: $f" >&2; left=1; fi
done
if [ -f /usr/share/mime/globs2 ] && grep -q 'x-zedro-diagram' /usr/share/mime/globs2; then
  echo "the MIME type is still registered" >&2
  left=1
fi
[ "$left" -eq 0 ]
echo "removed without leftovers"
