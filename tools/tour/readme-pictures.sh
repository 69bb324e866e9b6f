#!/usr/bin/env bash
# The README's pictures (docs/tour) are pages of the picture tour. After a
# change to the pages, take them again with one command:
#   bash tools/tour/readme-pictures.sh retake [TOUR]
# and the suite checks they still show what the tour takes now (a little
# font rendering aside):
#   bash tools/tour/readme-pictures.sh check [TOUR]
# TOUR is the tour program (default build/bin/tarnix-tour).
set -euo pipefail
mode=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
tour=${2:-$root/build/bin/tarnix-tour}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The same screen and fonts whoever takes them.
(cd "$root/data" && QT_QPA_PLATFORM=offscreen:configfile=$root/cmake/offscreen-desktop.json QT_SCALE_FACTOR=1 \
    QT_QPA_FONTDIR=/usr/share/fonts/truetype/liberation "$tour" "$scratch" >/dev/null)

# README picture, then the tour's page on the first-install road.
pictures="welcome:Welcome install-mode:InstallMode isp-and-pvc:IspAndPvc wireless:Wireless
apply:Apply join-wireless:JoinWireless"
# Pixels that may differ by more than the fuzz (about 1 % of a page).
allowed=4800
problems=0
for pair in $pictures; do
    name=${pair%%:*}
    readme=$root/docs/tour/$name.png
    taken=$(ls "$scratch"/[0-9]*-first-"${pair#*:}".png 2>/dev/null | head -n 1)
    if [ -z "$taken" ]; then
        echo "FAIL: the tour took no ${pair#*:} page"
        problems=$((problems + 1))
        continue
    fi
    if [ "$mode" = retake ]; then
        cp "$taken" "$readme"
        echo "took docs/tour/$name.png"
        continue
    fi
    # compare prints the count of differing pixels and exits 1 when there are any.
    differing=$(compare -metric AE -fuzz 10% "$readme" "$taken" null: 2>&1 || true)
    if ! [ "$differing" -le "$allowed" ] 2>/dev/null; then
        echo "FAIL: docs/tour/$name.png differs from the tour in $differing pixels;" \
            "take the pictures again: bash tools/tour/readme-pictures.sh retake"
        problems=$((problems + 1))
    fi
done
[ "$problems" -eq 0 ]
