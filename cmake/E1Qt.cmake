# SPDX-License-Identifier: GPL-3.0-or-later
#
# Finds the Qt of QT_MAJOR and names its parts the same way for every version, so that the rest of
# the build never asks which Qt it has:
#   E1::Core, E1::Gui, E1::Widgets, E1::Test   the libraries (Qt 4 has its widgets in QtGui)
#   Qt<QT_MAJOR>::rcc, ::lrelease, ::lupdate    the tools (the latter two may be missing)
#   E1_RCC_V1_OPTIONS                           rcc's options for resource format version 1,
#                                               the only one the instrument's Qt 4 reads
# Qt 4 comes from its qmake: -DQT_QMAKE_EXECUTABLE=<qt4>/bin/qmake.
if(QT_MAJOR EQUAL 4)
    find_package(Qt4 4.7 REQUIRED QtCore QtGui QtTest)
    set(modules Core=Qt4::QtCore Gui=Qt4::QtGui Widgets=Qt4::QtGui Test=Qt4::QtTest)
    # Qt 4's rcc writes format version 1 and knows neither option.
    set(E1_RCC_V1_OPTIONS "")
else()
    find_package(Qt${QT_MAJOR} REQUIRED COMPONENTS Core Gui Widgets Test)
    find_package(Qt${QT_MAJOR} QUIET COMPONENTS LinguistTools)
    set(modules Core=Qt${QT_MAJOR}::Core Gui=Qt${QT_MAJOR}::Gui Widgets=Qt${QT_MAJOR}::Widgets
                Test=Qt${QT_MAJOR}::Test)
    set(E1_RCC_V1_OPTIONS --format-version 1 --compress-algo zlib)
endif()
foreach(module ${modules})
    string(REPLACE "=" ";" module ${module})
    list(GET module 0 name)
    list(GET module 1 qt_target)
    add_library(e1_qt_${name} INTERFACE)
    target_link_libraries(e1_qt_${name} INTERFACE ${qt_target})
    add_library(E1::${name} ALIAS e1_qt_${name})
endforeach()
