# SPDX-License-Identifier: GPL-3.0-or-later
#
# Cross build for the instrument's processor: 32-bit ARM Linux with hardware floating point
# (armhf), against the Qt 5 of a target root file system (the sysroot), with Qt's code generators
# and translation tools from the build machine. Tests and other programs the build runs go
# through qemu-arm with the sysroot's libraries.
#
#   cmake -S . -B build-armhf -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-armhf.cmake
#
# Every variable below can be given with -D. The defaults fit Debian's cross compiler
# (g++-arm-linux-gnueabihf), qemu-user and the sysroot scripts/armhf-sysroot.sh builds; an
# instrument SDK sets its own sysroot, compiler prefix and, where its Qt lives elsewhere, the
# Qt location.

# The target's root file system, with Qt's and the C library's development files.
get_filename_component(e1_top "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(E1_ARM_SYSROOT "${e1_top}/build-sysroot-armhf" CACHE PATH
    "Root file system of the target")
# Name of the target system: the compilers' prefix and the sysroot's library folder.
set(E1_ARM_TRIPLET "arm-linux-gnueabihf" CACHE STRING "Target triplet")
# Path and name of the compilers up to "gcc" and "g++".
set(E1_ARM_COMPILER_PREFIX "/usr/bin/${E1_ARM_TRIPLET}-" CACHE STRING "Compiler prefix")
# Compiler flags for the target's processor (Debian's armhf compiler defaults to ARMv7-A with
# VFPv3-D16 and hardware floating point; an SDK names its core, say -mcpu=cortex-a9 -mfpu=neon).
set(E1_ARM_FLAGS "" CACHE STRING "Compiler flags for the target processor")
# Where Qt 5 is installed inside the sysroot (its CMake packages are below lib/).
set(E1_ARM_QT_PREFIX "/usr" CACHE PATH "Qt 5 prefix inside the sysroot")
# moc, uic, rcc, lrelease and lupdate of the build machine, and its Qt5LinguistTools package.
set(E1_QT_HOST_BINS "/usr/lib/qt5/bin" CACHE PATH "Qt 5 tools of the build machine")
set(E1_QT_HOST_LINGUIST_DIR
    "/usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake/Qt5LinguistTools" CACHE PATH
    "Qt5LinguistTools CMake package of the build machine")
# How the build machine runs a target program; empty where it cannot (tests are then built only).
set(E1_ARM_EMULATOR "qemu-arm" CACHE STRING "Emulator running target programs")

# Checks the compiler makes while configuring see the same choices.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES E1_ARM_SYSROOT E1_ARM_TRIPLET
     E1_ARM_COMPILER_PREFIX E1_ARM_FLAGS E1_ARM_QT_PREFIX E1_QT_HOST_BINS E1_QT_HOST_LINGUIST_DIR
     E1_ARM_EMULATOR)

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER "${E1_ARM_COMPILER_PREFIX}gcc")
set(CMAKE_CXX_COMPILER "${E1_ARM_COMPILER_PREFIX}g++")
set(CMAKE_C_FLAGS_INIT "${E1_ARM_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${E1_ARM_FLAGS}")
set(CMAKE_SYSROOT "${E1_ARM_SYSROOT}")
set(CMAKE_LIBRARY_ARCHITECTURE "${E1_ARM_TRIPLET}")
set(CMAKE_PREFIX_PATH "${E1_ARM_QT_PREFIX}")

# Libraries, headers and packages from the sysroot only; programs from the build machine.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The translation macros come with the build machine's tools (CMakeLists.txt makes moc, uic,
# rcc, lrelease and lupdate those of E1_QT_HOST_BINS).
set(Qt5LinguistTools_DIR "${E1_QT_HOST_LINGUIST_DIR}" CACHE PATH "")

if(E1_ARM_EMULATOR)
    find_program(E1_ARM_EMULATOR_PATH NAMES ${E1_ARM_EMULATOR})
    if(E1_ARM_EMULATOR_PATH)
        set(CMAKE_CROSSCOMPILING_EMULATOR "${E1_ARM_EMULATOR_PATH};-L;${E1_ARM_SYSROOT}")
    endif()
endif()
