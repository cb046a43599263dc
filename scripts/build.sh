#!/usr/bin/env bash
# Configures and builds Zedro into build/ (or the directory named by BUILD_DIR); arguments
# name the targets to build (default: all).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" ${CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)" ${1:+--target "$@"}
