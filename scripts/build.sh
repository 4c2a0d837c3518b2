#!/usr/bin/env bash
# Configures and builds the project into build/ (build-qt6/ with QT_MAJOR=6, build-armhf/ for
# 32-bit ARM with E1_ARCH=armhf). Extra arguments go to CMake's configure step.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
qt_major=${QT_MAJOR:-5}
build=${BUILD_DIR:-$top/build}
[ "$qt_major" = 5 ] || build=${BUILD_DIR:-$top/build-qt$qt_major}
if [ "${E1_ARCH:-}" = armhf ]; then
    # Cross build for 32-bit ARM against the sysroot scripts/armhf-sysroot.sh builds.
    [ "$qt_major" = 5 ] || { echo "The ARM build is for Qt 5 only" >&2; exit 2; }
    build=${BUILD_DIR:-$top/build-armhf}
    sysroot=$("$top/scripts/armhf-sysroot.sh" | tail -n 1)
    set -- -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-armhf.cmake" -DE1_ARM_SYSROOT="$sysroot" "$@"
fi
cmake -S "$top" -B "$build" -DQT_MAJOR="$qt_major" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" >&2
echo "$build"
