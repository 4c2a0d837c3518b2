#!/usr/bin/env bash
# Installs what the project needs on a Debian 12 machine: the compiler, CMake, Qt 5 (and
# Qt 6 with QT_MAJOR=6), the Liberation fonts and any packages named as arguments. With QT_MAJOR=4
# the Qt comes unpacked from the instrument's SDK (QT4_QMAKE): then only the libraries it runs on,
# xz to unpack it and the virtual X display the tests run on. Packages already present are not
# fetched again.
set -euo pipefail

qt_major=${QT_MAJOR:-5}
packages=(g++ cmake make fonts-liberation "$@")
if [ "$qt_major" = 4 ]; then
    packages+=(libx11-6 libxext6 libxrender1 libfontconfig1 libfreetype6 xvfb xauth xz-utils)
elif [ "$qt_major" = 6 ]; then
    packages+=(qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools libgl-dev)
else
    packages+=(qtbase5-dev qttools5-dev qttools5-dev-tools)
fi
# The ARM build: Debian's cross compiler and qemu-user (its libraries come from a sysroot).
[ "${E1_ARCH:-}" != armhf ] || packages+=(g++-arm-linux-gnueabihf qemu-user)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
