#!/usr/bin/env bash
# Renders the wizard's pictures into data/pic and data/icons from the sources
# in this folder. The rendered files are committed, so a build never runs this.
# Needs g++, Qt 6 Gui and Svg, libjpeg, ImageMagick and the Liberation fonts.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
data=$root/data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Stops here, naming the package, when a development package is missing
# (libjpeg comes from libjpeg-dev).
flags=$(pkg-config --cflags --libs Qt6Gui Qt6Svg libjpeg)
# shellcheck disable=SC2086  # the flags are several words on purpose
g++ -std=c++20 -O1 -fPIC -I"$root" "$here/draw.cpp" -o "$work/draw" $flags
QT_QPA_PLATFORM=offscreen "$work/draw" "$here" "$data" "$work"
# The same pictures at twice the resolution, as "name@2x" siblings.
QT_QPA_PLATFORM=offscreen "$work/draw" "$here" "$data" "$work/2x" 2

bg=$data/pic/BG
# One palette of at most 256 colours per picture, undithered: flat areas
# under the page texts stay clean.
for png in "$work"/bg/*.png; do
  convert "$png" +dither -colors 256 "$bg/$(basename "$png" .png).gif"
done

# Welcome: the router's lights blink. One palette for all frames so the
# changed strip matches the rest; frames after the first hold only the strip.
convert -loop 0 \
  -delay 50 "$work/welcome/0.png" -delay 30 "$work/welcome/1.png" \
  -delay 40 "$work/welcome/2.png" -delay 30 "$work/welcome/3.png" \
  +dither +map -layers OptimizeFrame "$bg/1000.gif"

mkdir -p "$data/pic/PROGRESS"
convert -loop 0 -delay 8 "$work"/progress/*.png +dither +map \
  "$data/pic/PROGRESS/PROGRESS20.gif"

for png in "$work"/2x/bg/*.png; do
  convert "$png" +dither -colors 256 "$bg/$(basename "$png" .png)@2x.gif"
done
convert -loop 0 \
  -delay 50 "$work/2x/welcome/0.png" -delay 30 "$work/2x/welcome/1.png" \
  -delay 40 "$work/2x/welcome/2.png" -delay 30 "$work/2x/welcome/3.png" \
  +dither +map -layers OptimizeFrame "$bg/1000@2x.gif"
convert -loop 0 -delay 8 "$work"/2x/progress/*.png +dither +map \
  "$data/pic/PROGRESS/PROGRESS20@2x.gif"
# The 2x faces as palette PNGs: a face has far fewer than 256 colours' worth
# of detail, and the repository stays small.
find "$data/pic/BUTTON" -name '*@2x.png' -exec mogrify +dither -colors 256 -define png:format=png8 {} +

cp "$here/tarnix-setup.svg" "$data/icons/tarnix-setup.svg"
