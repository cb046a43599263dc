#!/usr/bin/env bash
# Installs what is missing, builds Zedro and starts the editor on the bundled vehicles
# example. Without a display the example is shown as text by zedro-cli instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# Only the editor and the command-line tool: the tests are built by scripts/test.sh.
bash scripts/build.sh zedro zedro-cli
BUILD_DIR="${BUILD_DIR:-build}"
EXAMPLE="${1:-examples/Fahrzeuge.urd}"
if [ -x "$BUILD_DIR/zedro" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec "$BUILD_DIR/zedro" "$EXAMPLE"
fi
echo "Kein Bildschirm gefunden (DISPLAY ist nicht gesetzt): das Beispiel als Text." >&2
echo "Ein Bild des Editors: QT_QPA_PLATFORM=offscreen $BUILD_DIR/zedro --screenshot zedro.png $EXAMPLE" >&2
exec "$BUILD_DIR/zedro-cli" dump "$EXAMPLE"
