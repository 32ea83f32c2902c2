#!/usr/bin/env bash
# Runs the tests of a 64-bit Windows build under Wine. The prefix is made first and one wineserver
# serves every test program, so that no test pays for Wine's start-up; the server ends with the
# run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?build folder}
jobs=${2:-$(nproc)}
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/ravelin-wine}
# Wine gives Windows names to the system in the Unix locale's encoding: with none set (a bare
# CI shell), a name outside ASCII cannot be made at all.
if [[ -z ${LC_ALL:-} && -z ${LANG:-} ]]; then
    export LANG=C.UTF-8
fi
export WINEDEBUG=-all
wineserver=$(command -v wineserver || command -v wineserver64 || echo /usr/lib/wine/wineserver64)
# wineserver changes into the prefix before anything else, so a machine that never ran Wine needs
# the folder first; Wine fills an empty one on its first start.
mkdir -p "$WINEPREFIX"
"$wineserver" -k 2>/dev/null || true  # a server left from an earlier run
"$wineserver" -p
trap '"$wineserver" -k' EXIT
scripts/wine.sh wineboot --init >/dev/null 2>&1
ctest --test-dir "$build" --output-on-failure -j"$jobs"
