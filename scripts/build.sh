#!/usr/bin/env bash
# Configures and builds the project into build/ (build-qt6/ with QT_MAJOR=6). Extra arguments
# go to CMake's configure step.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
qt_major=${QT_MAJOR:-5}
build=${BUILD_DIR:-$top/build}
[ "$qt_major" = 5 ] || build=${BUILD_DIR:-$top/build-qt$qt_major}
cmake -S "$top" -B "$build" -DQT_MAJOR="$qt_major" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" >&2
echo "$build"
