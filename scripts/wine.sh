#!/usr/bin/env bash
# Runs a 64-bit Windows program under Wine, in a prefix of the project's own and without Wine's
# debugging chatter: the emulator of the Windows build's tests (cmake/mingw-w64-x86_64.cmake).
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/ravelin-wine}
export WINEDEBUG=${WINEDEBUG:--all}
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
exec "$wine" "$@"
