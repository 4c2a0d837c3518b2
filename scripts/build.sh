#!/usr/bin/env bash
# Configures and builds the project into build/ (build-qt6/ with QT_MAJOR=6, build-armhf/ for
# 32-bit ARM with E1_ARCH=armhf, build-qt4/ with QT_MAJOR=4, where QT4_QMAKE names the qmake of a
# Qt 4.7 such as the instrument's SDK). Extra arguments go to CMake's configure step.
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
if [ "$qt_major" = 4 ]; then
    if [ -z "${QT4_QMAKE:-}" ] || [ ! -x "$QT4_QMAKE" ]; then
        echo "QT_MAJOR=4 needs QT4_QMAKE=<Qt 4.7 folder>/bin/qmake" >&2
        exit 2
    fi
    set -- -DQT_QMAKE_EXECUTABLE="$QT4_QMAKE" "$@"
fi
cmake -S "$top" -B "$build" -DQT_MAJOR="$qt_major" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" >&2
echo "$build"
