#!/usr/bin/env bash
# The micro-benchmarks, then the scan tables: ravelin-cli on the real folder against itself with
# one job and with every core, beside the literal pair-by-pair scan (timed on a subset, since it
# takes minutes on the whole folder), TLSH and ssdeep on the same folder; then 100,000 files
# against a near-miss copy of them, and against themselves; last, the budgets of bench/budgets.sh.
# A figure over its target is marked OVER and makes the exit status 1.
set -euo pipefail
build=${1:-build}
cli="$build/bin/ravelin-cli"
cores=$(nproc)
over=0

"$build/bin/ravelin_bench" --benchmark_min_time=0.5
bench/corpus.sh "$build" bench/corpus
real=bench/corpus/real
scaled=bench/corpus/scaled
nearMiss=bench/corpus/near-miss

# Runs a command; prints "wall_seconds peak_MB".
timed() {
    local stats
    stats=$(mktemp)
    /usr/bin/time -f "%e %M" -o "$stats" "$@" > /dev/null 2>&1
    local wall peak
    read -r wall peak < "$stats"
    rm -f "$stats"
    echo "$wall $((peak / 1024))"
}

# The best of three runs, for scans short enough that the machine's other work shows in them.
bestOfThree() {
    for _ in 1 2 3; do timed "$@"; done | sort -n | head -n 1
}

# The pair rate of a scan, from its --stats line.
pairRate() {
    "$cli" scan --stats --format tsv "$@" 2>&1 > /dev/null |
        sed -n 's/.*(\([0-9]*\) pairs\/s).*/\1/p'
}

# "OVER" when $1 >= $2.
verdict() {
    if awk -v v="$1" -v b="$2" 'BEGIN { exit !(v >= b) }'; then
        over=1
        echo "OVER"
    else
        echo "ok"
    fi
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
echo
echo "Real folder ($realFiles files) against itself"
echo
echo "| N | program | wall (s) | peak (MB) | vs ravelin, $cores jobs | target |"
echo "|---|---|---|---|---|---|"
for n in 20 100; do
    read -r fast peak < <(bestOfThree "$cli" scan --format tsv --words "$n" --jobs "$cores" "$real" "$real")
    target=""
    if [ "$n" = 20 ]; then
        target="0.2 s, 20 MB: $(verdict "$fast" 0.2) $(verdict "$peak" 20)"
    fi
    read -r one onePeak < <(bestOfThree "$cli" scan --format tsv --words "$n" --jobs 1 "$real" "$real")
    speedup=$(awk -v a="$one" -v b="$fast" 'BEGIN { printf "%.2f", a / b }')
    echo "| $n | ravelin-cli, $cores jobs | $fast | $peak | 1x | $target |"
    echo "| $n | ravelin-cli, 1 job | $one | $onePeak | ${speedup}x | 1.7x: $(verdict 1.7 "$speedup" | sed 's/OVER/SHORT/') |"
    if [ "$n" = 20 ]; then size=500; else size=150; fi
    rate=$(pairRate --words "$n" --literal "$(subset "$size")" "$(subset "$size")")
    literal=$(awk -v f="$realFiles" -v r="$rate" -v w="$fast" \
        'BEGIN { printf "%.0f s (estimated) | | %.0fx", f * f / r, f * f / r / w }')
    echo "| $n | ravelin-cli --literal | $literal | |"
done
read -r wall peak < <(timed tlsh -xref -r "$real" -T 30)
echo "| | TLSH (tlsh -xref, T 30) | $wall | $peak | $(awk -v a="$wall" -v b="$fast" 'BEGIN { printf "%.1fx", a / b }') | |"
read -r wall peak < <(timed ssdeep -s -r -d "$real")
echo "| | ssdeep -d | $wall | $peak | $(awk -v a="$wall" -v b="$fast" 'BEGIN { printf "%.1fx", a / b }') | |"

# The page people open: made from the real folder's self-scan, opened in headless Chromium at
# its first pair with no console error.
page=$(mktemp --suffix=.html)
read -r wall peak < <(timed "$cli" scan --format html -o "$page" "$real" "$real")
pageMb=$(du -m "$page" | cut -f1)
echo "| 20 | ravelin-cli --format html, $cores jobs | $wall | $peak | page of $pageMb MB | |"
scripts/check-page.sh "$page" "#pair-1" >/dev/null || { echo "the page reported errors"; over=1; }
rm -f "$page"

echo
echo "Shared passages (--passages, K 15, G 3, tsv): the real folder against itself, $cores jobs"
echo
echo "| program | wall (s) | peak (MB) | pairs | target |"
echo "|---|---|---|---|---|"
pairsOut=$(mktemp)
read -r wall peak < <(bestOfThree sh -c "'$cli' scan --passages --format tsv '$real' '$real' | wc -l > '$pairsOut'")
echo "| ravelin-cli --passages | $wall | $peak | $(cat "$pairsOut") | 1.0 s: $(verdict "$wall" 1.0) |"
# sim_text gives each file's text to its main contributor (20 % and more), not every pair.
read -r wall peak < <(timed sh -c "cd '$real' && sim_text -p * | grep -c 'consists for' > '$pairsOut'")
echo "| sim_text -p (similarity-tester) | $wall | $peak | $(cat "$pairsOut") | |"
rm -f "$pairsOut"

echo
echo "100,000 files ($scaled) against a near-miss copy and against themselves, $cores jobs"
echo
echo "| scan | N | wall (s) | peak (MB) | matches | target |"
echo "|---|---|---|---|---|---|"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# Once untimed, so that the first timed scan does not pay for reading the folders' beginnings
# from the disk.
"$cli" scan --format tsv "$scaled" "$nearMiss" > /dev/null 2>&1
for n in 20 100; do
    read -r wall peak < <(timed sh -c "'$cli' scan --format tsv --words $n '$scaled' '$nearMiss' | wc -l > '$out'")
    echo "| near-miss copy | $n | $wall | $peak | $(cat "$out") | 15 s, 500 MB: $(verdict "$wall" 15) $(verdict "$peak" 500) |"
done
read -r wall peak < <(timed sh -c "'$cli' scan --format tsv --jobs 1 --words 20 '$scaled' '$nearMiss' | wc -l > '$out'")
echo "| near-miss copy, 1 job | 20 | $wall | $peak | $(cat "$out") | |"
read -r wall peak < <(timed sh -c "'$cli' scan --format tsv '$scaled' '$scaled' | wc -l > '$out'")
matches=$(cat "$out")
echo "| itself, tsv | 20 | $wall | $peak | $matches | 45 s: $(verdict "$wall" 45) |"
read -r wall peak < <(timed sh -c "'$cli' scan --passages --format tsv '$scaled' '$nearMiss' | wc -l > '$out'")
echo "| near-miss copy, --passages | 15 | $wall | $peak | $(cat "$out") | 30 s, 2 GB: $(verdict "$wall" 30) $(verdict "$peak" 2048) |"
rm -f "$out"

bench/budgets.sh "$build" || over=1
exit "$over"
