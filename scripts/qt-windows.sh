#!/usr/bin/env bash
# Builds Qt 6 for 64-bit Windows (mingw-w64) from Debian's own qt6-base source, the same version as
# the machine's qt6-base-dev, whose host tools (moc, uic, rcc) the cross build uses. Only what the
# window needs is built, plus QtTest and the offscreen platform for its tests.
#
# The result lives in a per-user cache keyed by the version, the options and the toolchain, so a
# machine builds it once. It is built and installed in a temporary folder beside the cache entry
# and renamed into place only when complete, so an interrupted build is never taken for a finished
# one. Prints the installed prefix, and nothing else, on standard output.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${1:-$(nproc)}

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
toolchain=$root/cmake/qt6-mingw-w64-x86_64.cmake
options=(
    -release -shared -nomake examples -nomake tests
    -xplatform win32-g++ -qt-host-path /usr
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
    -no-opengl -no-dbus -no-icu -no-feature-sql -no-feature-network -no-feature-printsupport
    -no-feature-tabletevent -no-feature-concurrent -no-feature-xml
)
key=$( (echo "$version" "${options[*]}"; cat "$toolchain") | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/ravelin-qt
prefix=$cache/qt-${version%%+*}-mingw-x86_64-$key

if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache"
# Two builds at once on one machine would only halve each other's speed; the second one waits
# and then finds the first one's result.
exec 9>"$cache/.lock"
flock 9
if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "$prefix"
    exit 0
fi
rm -rf "$cache"/tmp.*  # what an interrupted build left
work=$(mktemp -d "$cache/tmp.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The source comes through apt with a sources list, state and cache of its own, so the machine's
# apt configuration is left as it is. The mirror is the one the machine already uses.
mirror=$(grep -h -E '^\s*(URIs:|deb )' /etc/apt/sources.list.d/*.sources /etc/apt/sources.list \
    2>/dev/null | grep -o -E 'https?://[^ ]+/debian/?( |$)' | head -n1 | tr -d ' ' || true)
mirror=${mirror:-http://deb.debian.org/debian}
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
apt=$work/apt
mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/parts"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite main" \
    >"$apt/sources.list"
apt_options=(
    -o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "Debug::NoLocking=1"
    -o "APT::Sandbox::User=root"
)
echo "Fetching qt6-base $version source from $mirror" >&2
apt-get "${apt_options[@]}" -qq update >&2
(cd "$work" && apt-get "${apt_options[@]}" -qq source --download-only "qt6-base=$version" >&2)
dpkg-source -x "$work"/qt6-base_*.dsc "$work/src" >&2

echo "Building Qt for Windows in $work (about 25 minutes on 2 cores)" >&2
mkdir -p "$work/build"
(cd "$work/build" && nice -n 19 "$work/src/configure" "${options[@]}" -prefix "$prefix" \
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$work/configure.log" 2>&1) ||
    { tail -n 40 "$work/configure.log" >&2; exit 1; }
nice -n 19 cmake --build "$work/build" -j"$jobs" >"$work/build.log" 2>&1 ||
    { tail -n 40 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" --prefix "$work/install" >/dev/null

# What the package needs to pass on Qt's licence: the texts and where the source came from.
mkdir -p "$work/install/licenses"
cp "$work/src/LICENSES"/LGPL-3.0-only.txt "$work/src/LICENSES"/GPL-3.0-only.txt \
    "$work/install/licenses/" 2>/dev/null || cp "$work/src"/LICENSE.* "$work/install/licenses/"
cp "$work/src/debian/copyright" "$work/install/licenses/debian-copyright.txt"
dsc=$(basename "$work"/qt6-base_*.dsc)
cat >"$work/install/licenses/SOURCE.txt" <<SOURCE
Qt $version (qtbase) for Windows, cross-built with mingw-w64 from Debian's source package
qt6-base, unchanged except for Debian's own patches:

    $mirror/pool/main/q/qt6-base/$dsc
    (apt-get source qt6-base=$version on Debian $suite)

Configured with: ${options[*]}
SOURCE

mv "$work/install" "$prefix"
echo "$prefix"
