#!/usr/bin/env bash
# Builds the project with gcc's coverage instrumentation into build-coverage/, runs every test
# offscreen and prints the line and branch coverage of each source folder (branches that only
# throw, and those the compiler proved unreachable, are left out). Extra arguments go to CMake.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh" gcovr
build=${BUILD_DIR:-$top/build-coverage}
# Counts of an earlier run would add up with this one's.
[ -d "$build" ] && find "$build" -name '*.gcda' -delete
BUILD_DIR=$build "$top/scripts/build.sh" -DE1_COVERAGE=ON -DE1_BUILD_BENCH=OFF "$@" >/dev/null
(cd "$build" && QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 ctest --output-on-failure -j"$(nproc)")
gcovr --root "$top" --object-directory "$build" --exclude-throw-branches \
    --exclude-unreachable-branches --json-summary "$build/coverage.json" \
    --filter "$top/(interfaces|platform|plugin|launcher)/" >/dev/null
python3 - "$build/coverage.json" <<'PYTHON'
import json, sys
totals = {}
for entry in json.load(open(sys.argv[1]))["files"]:
    folder = entry["filename"].split("/")[0]
    t = totals.setdefault(folder, [0, 0, 0, 0])
    t[0] += entry["line_covered"]; t[1] += entry["line_total"]
    t[2] += entry["branch_covered"]; t[3] += entry["branch_total"]
percent = lambda covered, total: 100.0 * covered / total if total else 100.0
print(f"{'folder':<12}{'lines':>22}{'branches':>22}")
for folder, (lc, lt, bc, bt) in sorted(totals.items()):
    print(f"{folder:<12}{percent(lc, lt):>8.1f} % {lc:>5}/{lt:<6}{percent(bc, bt):>8.1f} % {bc:>5}/{bt:<6}")
PYTHON
