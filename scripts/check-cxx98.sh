#!/bin/sh
# Compiles the plug-in (plugin/ with the interface headers) as C++98 against Qt 4 with Qt 4's
# uic, moc and rcc, failing on any warning, and links libtimeslots.so (the host framework's
# symbols stay undefined). QT4: a Qt 4 prefix; OUT: a scratch folder.
set -eu
cd "$(dirname "$0")/.."
QT4=${QT4:-/opt/qt4sdk/qt-4.7.6}
OUT=${OUT:-build-c98check}
mkdir -p "$OUT"
cxx98() {
    g++ -std=c++98 -pedantic -Wall -Wextra -Werror -fPIC -isystem "$QT4/include" \
        -isystem "$QT4/include/QtCore" -isystem "$QT4/include/QtGui" -I "$OUT" -I plugin \
        -I interfaces/orvcontroller -I interfaces/orvwidgets -I interfaces/orvprbs "$@"
}
for form in plugin/*.ui; do
    "$QT4/bin/uic" "$form" -o "$OUT/ui_$(basename "$form" .ui).h"
done
for header in plugin/*.h; do
    grep -q Q_OBJECT "$header" || continue
    "$QT4/bin/moc" -Iplugin "$header" -o "$OUT/moc_$(basename "$header" .h).cpp"
done
"$QT4/bin/rcc" -name timeslots plugin/resource/timeslots.qrc -o "$OUT/qrc_timeslots.cpp"
for source in plugin/*.cpp "$OUT"/moc_*.cpp "$OUT/qrc_timeslots.cpp"; do
    cxx98 -c "$source" -o "$OUT/$(basename "$source" .cpp).o"
done
cxx98 -fsyntax-only plugin/resource/drawicons.cpp
g++ -shared -o "$OUT/libtimeslots.so" "$OUT"/*.o -L "$QT4/lib" -lQtGui -lQtCore
echo "$OUT/libtimeslots.so: built as C++98 against $QT4 without a warning"
