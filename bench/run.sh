#!/usr/bin/env bash
# Runs the micro-benchmarks; the scan table follows when the command line exists.
set -euo pipefail
build=${1:-build}
"$build/bin/ravelin_bench" --benchmark_min_time=0.5
