#!/bin/sh
# Builds data/docs/KRX-5100A-Technical-Manual.pdf from manual.html.
# Needs g++, pkg-config and the Qt 6 development files; runs without a display.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../../data/docs/KRX-5100A-Technical-Manual.pdf"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -fPIC -o "$work/manual-to-pdf" "$here/manual-to-pdf.cpp" \
    $(pkg-config --cflags --libs Qt6PrintSupport Qt6Widgets)
QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts/truetype/liberation \
    "$work/manual-to-pdf" "$here/manual.html" "$out"
echo "wrote $out"
