#!/usr/bin/env bash
# Renders share/icons/hicolor/scalable/*/*.svg into the PNG sizes of the icon theme
# (needs qt6-base-dev and qt6-svg-dev). Run it after changing an SVG icon and commit
# the PNGs.
set -euo pipefail
cd "$(dirname "$0")/.."
TOOL="$(mktemp -d)/render_icons"
g++ -std=c++17 -fPIC -O1 scripts/render_icons.cpp -o "$TOOL" \
  $(pkg-config --cflags --libs Qt6Svg Qt6Gui)
for svg in share/icons/hicolor/scalable/*/*.svg; do
  kind="$(basename "$(dirname "$svg")")"
  name="$(basename "$svg" .svg)"
  for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "share/icons/hicolor/${size}x${size}/$kind"
    QT_QPA_PLATFORM=offscreen "$TOOL" "$svg" "$size" "share/icons/hicolor/${size}x${size}/$kind/$name.png"
  done
done
rm -rf "$(dirname "$TOOL")"
echo "PNG-Symbole erzeugt."
