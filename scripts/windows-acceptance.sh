#!/usr/bin/env bash
# Runs the Windows package as a user would: unpacks the zip into a temporary folder, starts
# ravelin.exe in a fresh Wine prefix on a virtual display and checks, by the registry, that the
# window restored the saved 1st folder at start-up and that Save wrote all nine values as
# strings. Then it scans the sample folders and photographs the window.
#
# Usage: windows-acceptance.sh ZIP SCREENSHOT_FOLDER
# Writes windows-start.png (after start-up) and windows.png (after the scan) into the folder.
set -euo pipefail
cd "$(dirname "$0")/.."
zip=$(realpath "${1:?zip}")
shots=$(realpath "${2:?screenshot folder}")
if [ -z "${RAVELIN_ACCEPTANCE_DISPLAY:-}" ]; then
    RAVELIN_ACCEPTANCE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
wineserver=$(command -v wineserver || command -v wineserver64 || echo /usr/lib/wine/wineserver64)
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$WINEPREFIX" "$shots"
unzip -q "$zip" -d "$work"
app=$(find "$work" -maxdepth 2 -name ravelin.exe -printf '%h\n' | head -n1)
[ -n "$app" ] || { echo "no ravelin.exe in $zip" >&2; exit 1; }
wine() { scripts/wine.sh "$@"; }
windows_path() { echo "Z:${1//\//\\}"; }
wine wineboot --init >/dev/null 2>&1

key='HKCU\Software\Quillmere\RVN'
first=$(windows_path "$PWD/data/samples/first")
second=$(windows_path "$PWD/data/samples/second")

# Positions are the controls' design positions in twips, 15 to a pixel at Windows' 96 dots per
# inch; with no window manager the X window is the window's client area.
fail() {
    echo "acceptance: $*" >&2
    exit 1
}
window=
start_window() {
    scripts/wine.sh "$app/ravelin.exe" >/dev/null 2>&1 &
    window=$(timeout 90 xdotool search --sync --onlyvisible --name '^Ravelin [0-9]' | head -n1 ||
        true)
    [ -n "$window" ] || fail "ravelin.exe showed no window"
    sleep 2  # the restore and the first count of files follow the window's showing
}
click_twips() {
    xdotool mousemove --window "$window" $(($1 / 15)) $(($2 / 15)) click 1
}
photograph() {
    xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmtopng >"$1"
}

# A first start with only the 1st folder saved: the other eight come from the defaults, and the
# empty 2nd folder is saved as one blank.
wine reg add "$key" /v "1st folder" /t REG_SZ /d "$first" /f >/dev/null
start_window
photograph "$shots/windows-start.png"
click_twips $((6480 + 975 / 2)) $((3480 + 375 / 2))  # Save
sleep 2
values=$(wine reg query "$key" | tr -d '\r' | grep -E '^\s+.+\s+REG_[A-Z_]+' || true)
echo "$values"
[ "$(grep -c . <<<"$values")" -eq 9 ] || fail "Save did not leave nine values under $key"
[ "$(grep -c -E '\sREG_SZ(\s|$)' <<<"$values")" -eq 9 ] || fail "a value is not REG_SZ"
expect() {
    grep -q -F -x -- "$(printf '    %s    REG_SZ    %s' "$1" "$2")" <<<"$values" ||
        fail "\"$1\" is not \"$2\""
}
expect "1st folder" "$first"
expect "2nd folder" " "
expect "Num words to compare" "20"
expect "Display reduced text" " 1"
expect "optTxt" "True"
"$wineserver" -k

# Both folders saved: a scan of the samples, photographed when it is done.
wine reg add "$key" /v "2nd folder" /t REG_SZ /d "$second" /f >/dev/null
start_window
click_twips $((6480 + 1575 / 2)) $((3960 + 375 / 2))  # Start
sleep 15  # one second for each file of the 2nd folder
photograph "$shots/windows.png"
echo "acceptance: the window restored and saved its settings; screenshots in $shots"
