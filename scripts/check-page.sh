#!/usr/bin/env bash
# Opens an HTML report in headless Chromium as a reader would, optionally at a pair
# (check-page.sh PAGE [#pair-N] [SCREENSHOT.png]), and fails when the page's script reports an
# error on the console. Chromium comes from packages-page.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
page=$(realpath "${1:?page}")
anchor=${2:-}
shot=${3:-}
scripts/deps.sh packages-page.txt
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
# The network stays closed: no background services, and a fresh profile every time.
flags=(--headless --no-sandbox --disable-gpu --disable-quic --no-first-run
    --disable-background-networking --disable-component-update --disable-sync
    --user-data-dir="$profile" --enable-logging=stderr --v=0 --window-size="${RAVELIN_PAGE_SIZE:-1280,1000}")
if [ -n "$shot" ]; then
    flags+=(--screenshot="$(realpath -m "$shot")")
else
    flags+=(--dump-dom)
fi
log=$(timeout 120 chromium "${flags[@]}" "file://$page$anchor" 2>&1 >/dev/null || true)
if grep -q 'CONSOLE' <<<"$log"; then
    grep 'CONSOLE' <<<"$log" >&2
    echo "check-page: $page reported errors" >&2
    exit 1
fi
echo "check-page: $page$anchor opened with no console error"
