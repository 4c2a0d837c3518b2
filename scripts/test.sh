#!/usr/bin/env bash
# Sets up the machine, builds the project and runs every test: offscreen with Qt 5 and 6, on a
# virtual X display with Qt 4 (QT_MAJOR=4 QT4_QMAKE=<Qt 4.7 folder>/bin/qmake), which has no
# offscreen platform. E1_CTEST_EXCLUDE, a regular expression, leaves out the test programs it
# matches.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
build=$("$top/scripts/build.sh" "$@" | tail -n 1)
cd "$build"
if [ "${QT_MAJOR:-5}" = 4 ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" ctest --output-on-failure -j"$(nproc)" \
        ${E1_CTEST_EXCLUDE:+-E "$E1_CTEST_EXCLUDE"}
else
    QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 ctest --output-on-failure -j"$(nproc)" \
        ${E1_CTEST_EXCLUDE:+-E "$E1_CTEST_EXCLUDE"}
fi
