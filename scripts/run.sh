#!/usr/bin/env bash
# Sets up the machine, builds the project and starts the launcher with the timeslot plug-in over
# the simulated E1 card. Without a display the launcher renders its screens to PNG files and
# says where. Arguments go to the launcher (try --help).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
build=$("$top/scripts/build.sh" | tail -n 1)
exec "$build/bin/e1-launcher" "$@"
