#!/usr/bin/env bash
# Folders too large for the test suite, scanned by ravelin-cli with their time and memory measured
# against a budget: a hundred thousand tiny files, a 300 MB file in one line, and 128 MB of zeros. The suite keeps
# small versions of both; here the figures are printed, and the exit status is 1 when one is over.
set -euo pipefail
build=${1:-build}
cli="$build/bin/ravelin-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
over=0

# Scans $1 against itself; checks the report's last line is $2, the peak under $3 MB and the
# wall time under $4 seconds.
budget() {
    local folder=$1 last=$2 peakBudget=$3 wallBudget=$4 label=$5
    local wall peak got status=0
    /usr/bin/time -f "%e %M" -o "$work/time" "$cli" scan --no-show "$folder" > "$work/out" ||
        status=$?
    read -r wall peak < "$work/time"
    peak=$((peak / 1024))
    got=$(tail -n 1 "$work/out")
    local verdict="within budget"
    if [ "$status" != 0 ] || [ "$got" != "$last" ] || [ "$peak" -ge "$peakBudget" ] ||
        awk -v w="$wall" -v b="$wallBudget" 'BEGIN { exit !(w >= b) }'; then
        verdict="OVER (exit $status, report ends '$got')"
        over=1
    fi
    echo "| $label | $wall | $wallBudget | $peak | $peakBudget | $verdict |"
}

echo
echo "| folder | wall (s) | budget (s) | peak (MB) | budget (MB) | |"
echo "|---|---|---|---|---|---|"

mkdir "$work/many"
for i in $(seq 0 99999); do
    printf tiny > "$work/many/t$i.txt"
done
budget "$work/many" "There are no matches." 200 120 "100,000 tiny files"
rm -rf "$work/many"

# A 1 MB run of UTF-8 words without a line end, repeated to 300 MB. The line is read whole, so
# the peak may reach three times the file.
mkdir "$work/huge"
LC_ALL=C awk 'BEGIN {
    for (i = 0; n < 1048576; i++) {
        s = "caf\303\251 word" (i % 5000) " \342\200\224 "
        printf "%s", s
        n += length(s)
    }
}' > "$work/chunk"
for _ in $(seq 300); do cat "$work/chunk"; done > "$work/huge/huge.txt"
budget "$work/huge" "There is one match." 900 120 "one 300 MB line"

# A file that yields no words is read in the memory of a few steps, however large it is: what can
# no longer give words is dropped as it is read.
rm -rf "$work/huge"
mkdir "$work/zeros"
head -c 134217728 /dev/zero > "$work/zeros/zeros.txt"
budget "$work/zeros" "There are no matches." 40 30 "128 MB of zeros"

# 5,000 identical files: 25 million matches. The page lists its first rows and counts the rest;
# what it keeps grows with the files matched, not with the matches.
mkdir "$work/same"
awk 'BEGIN { for (i = 0; i < 300; i++) printf "identical%d ", i }' > "$work/same.txt"
for i in $(seq 0 4999); do cp "$work/same.txt" "$work/same/s$i.txt"; done
/usr/bin/time -f "%e %M" -o "$work/time" "$cli" scan --format html -o "$work/same.html" \
    "$work/same" > /dev/null 2>&1 || true
read -r wall peak < "$work/time"
peak=$((peak / 1024))
verdict="within budget"
if [ ! -s "$work/same.html" ] || [ "$peak" -ge 500 ] ||
    awk -v w="$wall" 'BEGIN { exit !(w >= 120) }'; then
    verdict="OVER"
    over=1
fi
echo "| 5,000 identical files, --format html | $wall | 120 | $peak | 500 | $verdict |"
rm -rf "$work/same" "$work/same.html"

exit "$over"
