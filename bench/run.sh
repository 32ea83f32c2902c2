#!/usr/bin/env bash
# The micro-benchmarks, then the scan table: ravelin-cli on the real folder against itself and on
# the scaled folder, with one thread and with all cores, beside the literal pair-by-pair scan
# (timed on a subset, since it takes minutes on the whole folder); last, the time and memory
# budgets of bench/budgets.sh.
set -euo pipefail
build=${1:-build}
cli="$build/bin/ravelin-cli"
cores=$(nproc)

"$build/bin/ravelin_bench" --benchmark_min_time=0.5
bench/corpus.sh "$build" bench/corpus
real=bench/corpus/real
scaled=bench/corpus/scaled

# Runs a scan; prints "wall_seconds peak_MB files_per_s pairs_per_s".
measure() {
    local stats
    stats=$(mktemp)
    /usr/bin/time -f "%e %M" -o "$stats.time" "$cli" scan --stats --format tsv "$@" \
        > /dev/null 2> "$stats"
    local wall peak files pairs
    read -r wall peak < "$stats.time"
    files=$(sed -n 's/.*(\([0-9]*\) files\/s).*/\1/p' "$stats")
    pairs=$(sed -n 's/.*(\([0-9]*\) pairs\/s).*/\1/p' "$stats")
    rm -f "$stats" "$stats.time"
    echo "$wall $((peak / 1024)) $files $pairs"
}

subset() {  # every 8th file of the real folder, at most $1 of them
    local folder="bench/corpus/subset-$1"
    if [ ! -d "$folder" ]; then
        mkdir -p "$folder"
        ls "$real" | awk 'NR % 8 == 0' | head -n "$1" | while read -r name; do
            cp "$real/$name" "$folder/"
        done
    fi
    echo "$folder"
}

realFiles=$(ls "$real" | wc -l)
scaledFiles=$(ls "$scaled" | wc -l)
echo
echo "| folder | N | jobs | wall (s) | peak (MB) | files/s reduced | pairs/s compared | vs --literal |"
echo "|---|---|---|---|---|---|---|---|"
for n in 20 100; do
    if [ "$n" = 20 ]; then size=500; else size=150; fi
    sub=$(subset "$size")
    read -r _ _ _ literalRate < <(measure --words "$n" --literal "$sub")
    pairs=$((realFiles * realFiles))
    for jobs in 1 "$cores"; do
        read -r wall peak files rate < <(measure --words "$n" --jobs "$jobs" "$real")
        # The literal scan's time on the whole folder, from its pair rate on the subset.
        ratio=$(awk -v p="$pairs" -v r="$literalRate" -v w="$wall" 'BEGIN { printf "%.0fx", p / r / w }')
        echo "| real, $realFiles files | $n | $jobs | $wall | $peak | $files | $rate | $ratio |"
    done
    echo "| subset, $size files, --literal | $n | 1 | | | | $literalRate | 1x |"
done
for n in 20 100; do
    read -r wall peak files rate < <(measure --words "$n" --jobs "$cores" "$scaled")
    echo "| scaled, $scaledFiles files | $n | $cores | $wall | $peak | $files | $rate | |"
done
echo
echo "The literal scan of the whole real folder is estimated from its pair rate on the subset"
echo "(every 8th file), as pairs / rate; the ratio is that estimate over the measured wall time."

bench/budgets.sh "$build"
