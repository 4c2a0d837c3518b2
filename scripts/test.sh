#!/usr/bin/env bash
# Sets up the machine, builds the project and runs every test offscreen.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
build=$("$top/scripts/build.sh" "$@" | tail -n 1)
cd "$build"
QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 ctest --output-on-failure -j"$(nproc)"
