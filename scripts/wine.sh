#!/usr/bin/env bash
# Runs a 64-bit Windows program under Wine, in a prefix of the project's own and without Wine's
# debugging chatter: the emulator of the Windows build's tests (cmake/mingw-w64-x86_64.cmake).
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/ravelin-wine}
# Wine gives Windows names to the system in the Unix locale's encoding: with none set (a bare
# CI shell), a name outside ASCII cannot be made at all.
if [[ -z ${LC_ALL:-} && -z ${LANG:-} ]]; then
    export LANG=C.UTF-8
fi
export WINEDEBUG=${WINEDEBUG:--all}
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
exec "$wine" "$@"
