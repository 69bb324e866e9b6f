#!/bin/sh
# Fuzzes the GIF block walker with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer.
#   tools/fuzz-gif.sh [seconds]      (default 60)
# Exits non-zero when the fuzzer finds a crash; the crashing input is left in
# build-fuzz-gif/ as crash-*.
set -eu

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
out=${FUZZ_GIF_DIR:-$root/build-fuzz-gif}
cxx=${CXX_FUZZ:-clang++}
mkdir -p "$out/seeds" "$out/corpus"

flags="-std=c++20 -O1 -g -fno-omit-frame-pointer -I$root/controls -I$root/tests/controls"
"$cxx" $flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    "$root/tests/controls/fuzz_gif_walker.cpp" "$root/controls/GifWalker.cpp" -o "$out/fuzz_gif_walker"
"$cxx" $flags "$root/tests/controls/make_gif_seeds.cpp" -o "$out/make_gif_seeds"

"$out/make_gif_seeds" "$out/seeds"
if [ -d "$root/data/pic" ]; then
    # A few of the shipped pictures, the smallest first, to keep runs fast.
    find "$root/data/pic" -name '*.gif' -size -200k -printf '%s %p\n' | sort -n | head -n 8 | cut -d' ' -f2- |
        while read -r picture; do cp "$picture" "$out/seeds/"; done
fi

cd "$out"
./fuzz_gif_walker -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 corpus seeds
