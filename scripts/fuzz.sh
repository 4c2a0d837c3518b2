#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang into build-fuzz/ and runs each for SECONDS
# (default 60) from its seed corpus, with a fixed seed. A broken rule or a sanitizer report
# stops the run with status 1 and leaves the input in build-fuzz/findings/; inputs that reached
# new code are kept in build-fuzz/corpus/<target>/.
#   scripts/fuzz.sh [SECONDS [TARGET...]]      targets: card_commands plugin_state text_entry
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(card_commands plugin_state text_entry)

"$top/scripts/setup.sh" clang libfuzzer-14-dev

build=${BUILD_DIR:-$top/build-fuzz}
CXX=clang++ cmake -S "$top" -B "$build" -DE1_FUZZ=ON -DE1_BUILD_TESTS=OFF -DE1_BUILD_BENCH=OFF \
    >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}" >&2
mkdir -p "$build/findings"
for target in "${targets[@]}"; do
    echo "== fuzz_$target: $seconds s =="
    mkdir -p "$build/corpus/$target"
    # Leaks are the sanitizer test run's business; here they would only slow every input down.
    # A few commands reach every state of the card, and each one costs: its inputs stay short.
    # In ten minutes the plug-in's inputs of up to 32 bytes reached 3,499 code points, inputs
    # growing to 177 bytes 3,513: longer ones mostly repeat steps, each costing an update, and
    # slowed that run to a third.
    limit=()
    [ "$target" != card_commands ] || limit=(-max_len=128)
    [ "$target" != plugin_state ] || limit=(-max_len=32)
    "$build/bin/fuzz_$target" -seed=1 -max_total_time="$seconds" -detect_leaks=0 "${limit[@]}" \
        -print_final_stats=1 -dict="$top/fuzz/$target.dict" \
        -artifact_prefix="$build/findings/$target-" "$build/corpus/$target" \
        "$top/fuzz/corpus/$target"
done
