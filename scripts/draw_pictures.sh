#!/bin/sh
# Builds the picture drawer and redraws every PNG of pictures/, then
# writes pictures/pictures.qrc listing them.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
out="$root/pictures"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

g++ -std=c++20 -O1 -fPIC -Wall -Wextra -o "$work/draw_pictures" \
    "$here/draw_pictures/main.cpp" $(pkg-config --cflags --libs Qt6Gui)

mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$work/draw_pictures" "$out"

# resource file: every PNG under the prefix /pictures, aliased by its name
{
    printf '<!DOCTYPE RCC>\n<RCC version="1.0">\n  <qresource prefix="/pictures">\n'
    for f in $(cd "$out" && ls *.png | LC_ALL=C sort -V); do
        printf '    <file alias="%s">%s</file>\n' "$f" "$f"
    done
    printf '  </qresource>\n</RCC>\n'
} > "$out/pictures.qrc"
echo "pictures written to $out"
