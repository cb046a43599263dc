#!/usr/bin/env bash
# Installs what is missing, builds Zedro and starts it on the bundled vehicles example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
EXAMPLE="examples/Fahrzeuge.urd"
if [ -x build/zedro ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/zedro "$EXAMPLE"
fi
exec build/zedro-cli dump "$EXAMPLE"
