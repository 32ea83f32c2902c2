#!/usr/bin/env bash
# Builds the benchmark folders from what a Debian machine holds:
#   real/    every /usr/share/doc/*/copyright, every /usr/share/common-licenses/* and the text files
#            of two documentation packages fetched at pinned versions (a few thousand files);
#   scaled/  100,000 files made from real/ with light random edits (make-scaled-corpus);
#   near-miss/  scaled/ with every third word of each file replaced.
# Usage: bench/corpus.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
build=${1:-build}
out=${2:-bench/corpus}
# Pinned, so that every run measures the same texts; a mirror that no longer has the pinned
# version gets the current one, and the script says so.
packages=("linux-doc-6.1=6.1.192-3" "debian-policy=4.6.2.0")
# The kernel's rendered documentation sources (*.txt) without its compressed plain-text files,
# which keeps the folder near 4,000 files; the policy manual's compressed texts are few.
patterns=("*.txt" "*.txt*")

real="$out/real"
if [ -d "$real" ] && [ -f "$out/.complete" ]; then
    echo "corpus: $real already built ($(ls "$real" | wc -l) files)"
else
    rm -rf "$out"
    mkdir -p "$real"
    for file in /usr/share/doc/*/copyright; do
        package=$(basename "$(dirname "$file")")
        cp -L "$file" "$real/copyright-$package.txt" 2>/dev/null || true
    done
    for file in /usr/share/common-licenses/*; do
        cp -L "$file" "$real/license-$(basename "$file").txt" 2>/dev/null || true
    done
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    chmod 755 "$work"
    for i in "${!packages[@]}"; do
        pinned=${packages[$i]}
        pattern=${patterns[$i]}
        name=${pinned%%=*}
        if ! (cd "$work" && apt-get download -q "$pinned" >/dev/null 2>&1); then
            echo "corpus: $pinned is not available; using the current $name"
            (cd "$work" && apt-get download -q "$name" >/dev/null 2>&1) || {
                echo "corpus: cannot download $name; the folder holds only this machine's texts"
                continue
            }
        fi
        dpkg-deb -x "$work/${name}"_*.deb "$work/$name"
        # Every text file of the package, decompressed, named after its path.
        find "$work/$name/usr/share/doc" -type f -name "$pattern" |
            while read -r file; do
                target="$name-$(echo "${file#"$work/$name/usr/share/doc/"}" | tr '/' '_')"
                target="${target%.gz}"
                case "$file" in
                    *.gz) gzip -dc "$file" > "$real/$target" ;;
                    *) cp "$file" "$real/$target" ;;
                esac
            done
    done
    touch "$out/.complete"
fi
echo "corpus: $real: $(ls "$real" | wc -l) files, $(du -sh "$real" | cut -f1)"

scaled="$out/scaled"
if [ ! -f "$out/.scaled-100000" ]; then
    rm -rf "$scaled" "$out/near-miss"
    "$build/bin/make-scaled-corpus" "$real" "$scaled" 100000
    touch "$out/.scaled-100000"
fi
echo "corpus: $scaled: $(ls "$scaled" | wc -l) files, $(du -sh "$scaled" | cut -f1)"
nearMiss="$out/near-miss"
if [ ! -f "$out/.near-miss" ]; then
    rm -rf "$nearMiss"
    "$build/bin/make-scaled-corpus" --near-miss "$scaled" "$nearMiss"
    touch "$out/.near-miss"
fi
echo "corpus: $nearMiss: $(ls "$nearMiss" | wc -l) files, $(du -sh "$nearMiss" | cut -f1)"
