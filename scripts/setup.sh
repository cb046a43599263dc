#!/usr/bin/env bash
# Installs the Debian packages that building and testing Zedro needs, when they are missing.
# Works as root and, through sudo, as a normal user.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  # Pictures as SVG; the tests read the texts of PDF pictures with pdftotext.
  qt6-svg-dev poppler-utils
  qt6-translations-l10n
  clang
  fpc fpc-source default-jdk-headless openjdk-17-source unzip unrtf
  xvfb xauth x11-utils xdotool fonts-dejavu-core fonts-dejavu-extra
  # The folder import lays out with Graphviz; PlantUML checks the text Zedro writes for it.
  libgraphviz-dev graphviz plantuml
  # The Debian package (dpkg-shlibdeps) and the checks of its desktop and manual files.
  dpkg-dev appstream desktop-file-utils man-db
)

missing=()
for p in "${PACKAGES[@]}"; do
  # The status is captured first: piping it into "grep -q" could end dpkg-query early and,
  # under pipefail, count an installed package as missing.
  status="$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)"
  if [ "$status" != "install ok installed" ]; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "Fehlende Pakete: ${missing[*]}" >&2
    echo "Bitte als root ausführen oder sudo einrichten." >&2
    exit 1
  fi
  SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
