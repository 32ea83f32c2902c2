#!/usr/bin/env bash
# Scans the bundled sample folders and prints the report, as the window would show it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
echo "\$ ravelin-cli scan data/samples/first data/samples/second"
"$build/bin/ravelin-cli" scan data/samples/first data/samples/second
