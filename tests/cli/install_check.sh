#!/usr/bin/env bash
# Installs Zedro into a scratch prefix and draws an example with the installed zedro-cli:
# it must find its render module in the installed module directory, not in the build.
# Arguments: the build directory, a scratch directory, an example diagram.
set -euo pipefail
BUILD="$1"
PREFIX="$2/cli_install_check"
rm -rf "$PREFIX"
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
test -x "$PREFIX/bin/zedro-cli"
module="$(find "$PREFIX" -name zedro-render.so -path '*/zedro/*')"
test -n "$module"
"$PREFIX/bin/zedro-cli" render "$3" "$PREFIX/bild.png" >/dev/null
test -s "$PREFIX/bild.png"
rm -rf "$PREFIX"
echo "zedro-cli installed with its render module in ${module#"$PREFIX"/}"
