#!/usr/bin/env bash
# Takes the picture tour twice, on a screen of scale 1 and one of scale 2,
# into FOLDER/scale-1 and FOLDER/scale-2. With a BEFORE folder of scale-1
# pictures (an earlier tour), it also lists how many pixels each page
# differs by and writes the differences as FOLDER/changes/NAME.png (changed
# pixels red), so that a change to the pages can be looked at.
#
# Usage, from the repository's top folder after a build:
#   bash tools/tour/both-scales.sh FOLDER [BEFORE]
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "$1")
before=${2:+$(realpath "$2")}
tour=${TARNIX_TOUR:-$root/build/bin/tarnix-tour}
# The tour is built with the tests (it walks with their driver).
[ -x "$tour" ] || { echo "no $tour: build with BUILD_TESTING on (the default)" >&2; exit 1; }

for scale in 1 2; do
  mkdir -p "$out/scale-$scale"
  (cd "$root/data" && QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen:configfile=$root/cmake/offscreen-desktop.json} QT_SCALE_FACTOR=$scale \
    "$tour" "$out/scale-$scale")
done

[ -n "$before" ] || exit 0
mkdir -p "$out/changes"
for picture in "$before"/*.png; do
  name=$(basename "$picture")
  now=$out/scale-1/$name
  if [ ! -f "$now" ]; then
    echo "$name: not taken now"
    continue
  fi
  # compare prints the count of differing pixels and exits 1 when there are any.
  count=$(compare -metric AE -fuzz 0 "$picture" "$now" "$out/changes/$name" 2>&1 || true)
  echo "$name: $count pixels differ"
done
