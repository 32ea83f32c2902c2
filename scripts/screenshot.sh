#!/usr/bin/env bash
# Photographs the window under a virtual display: docs/screenshots/idle.png after start-up,
# docs/screenshots/report.png after a scan of the sample folders and docs/screenshots/compare.png
# with the compare window of its recipe pair. The settings that name the sample folders live in a
# temporary home, so the user's own settings are never touched.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

# The store the window reads on start-up: the group of the key path Software\Quillmere\RVN.
mkdir -p "$home/.config/Quillmere"
cat >"$home/.config/Quillmere/RVN.conf" <<CONF
[Software]
Quillmere\\RVN\\1st%20folder=data/samples/first
Quillmere\\RVN\\2nd%20folder=data/samples/second
CONF

mkdir -p docs/screenshots
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home" \
    xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/bin/ravelin_window_screenshot" docs/screenshots
echo "docs/screenshots/idle.png, report.png and compare.png written"
