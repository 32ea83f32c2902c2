#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS (default 60) from its seed corpus; findings (crash-*,
# leak-*, timeout-*) land in fuzz/out/<target>/, with the whole log in fuzz/out/<target>/log.
# Fails when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
status=0
for target in FuzzNormalise FuzzWildcard FuzzValidation FuzzProgramText FuzzCompareSegments; do
    corpus="fuzz/corpus/$target"
    out="fuzz/out/$target"
    mkdir -p "$corpus" "$out/new"
    echo "== $target for $seconds s"
    if ! "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$out/" -print_final_stats=1 "$out/new" "$corpus" >"$out/log" 2>&1; then
        status=1
        echo "!! $target found a fault: see $out/log"
    fi
    grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)' "$out/log" ||
        true
done
exit "$status"
