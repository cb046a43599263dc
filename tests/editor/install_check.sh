#!/usr/bin/env bash
# Installs Zedro into a scratch prefix: the programs (zedro-cli with its render module), a
# desktop entry that opens diagram files, the MIME type for *.urd (registered where the
# desktop's MIME tools exist), the icons, the AppStream data and the manual pages.
# Arguments: the build directory, a scratch directory.
set -euo pipefail
BUILD="$1"
PREFIX="$2/install_check"
rm -rf "$PREFIX"
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
test -x "$PREFIX/bin/zedro"
test -x "$PREFIX/bin/zedro-cli"
test -f "$PREFIX/share/icons/hicolor/scalable/apps/zedro.svg"
test -f "$PREFIX/share/metainfo/de.zedro.zedro.metainfo.xml"
test -f "$PREFIX/share/man/man1/zedro-cli.1.gz"
DESKTOP="$PREFIX/share/applications/zedro.desktop"
grep -qx 'Exec=zedro %f' "$DESKTOP"
grep -qx 'MimeType=application/x-zedro-diagram;' "$DESKTOP"
grep -q 'pattern="\*\.urd"' "$PREFIX/share/mime/packages/zedro.xml"
if command -v update-mime-database >/dev/null 2>&1; then
  grep -q 'application/x-zedro-diagram:\*\.urd' "$PREFIX/share/mime/globs2"
fi
# zedro-cli draws with its render module from the installed module directory.
test -x "$PREFIX/bin/zedro-cli"
test -n "$(find "$PREFIX" -name zedro-render.so -path '*/zedro/*')"
"$PREFIX/bin/zedro-cli" render "$(dirname "$0")/../../examples/Fahrzeuge.urd" "$PREFIX/bild.png" >/dev/null
test -s "$PREFIX/bild.png"
rm -rf "$PREFIX"
echo "installed with its desktop entry, the MIME type for *.urd and zedro-cli with its modules"
