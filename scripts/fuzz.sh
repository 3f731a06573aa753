#!/usr/bin/env bash
# Runs every fuzz target under ASan and UBSan (the fuzz preset, clang) for a bounded time, each
# from its corpus in fuzz/corpus/, and prints the executions per target. A crash, a sanitizer
# report, a leak or an uncaught exception fails the run; the input that caused it is kept under
# build/fuzz/artifacts/. FUZZ_SECONDS sets the time per target (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-60}"
targets=(pattern_fuzz locale_fuzz college_fuzz csv_fuzz)

cmake --preset fuzz
cmake --build --preset fuzz --target "${targets[@]}"

artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
# New inputs go to a scratch directory; the corpora in the tree are only read.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

for target in "${targets[@]}"; do
    mkdir "$scratch/$target"
    log="$scratch/$target.log"
    if ! "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/$target-" "$scratch/$target" "fuzz/corpus/$target" \
        >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "$target: FAILED (input kept under $artifacts)" >&2
        exit 1
    fi
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    echo "$target: $runs executions in ${seconds} s"
done
