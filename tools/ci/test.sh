#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test: in a plain
# build, again under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# tests that run code on threads of their own once more under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash tools/ci/install-deps.sh

build=${BUILD_DIR:-build}
jobs=$(nproc)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"

# Line tables are enough for the reports; -O1 keeps the sanitized builds quick.
sanitized=(-G Ninja "-DCMAKE_CXX_FLAGS=-O1 -g1")
cmake -S . -B "$build-asan" "${sanitized[@]}" -DTARNIX_SANITIZE=address,undefined >/dev/null
cmake --build "$build-asan" -j "$jobs"
ctest --test-dir "$build-asan" --output-on-failure -j "$jobs"

# The animated picture, the apply run and the Apply page's worker.
threaded=(tst_picture tst_ApplyRun tst_apply_page)
cmake -S . -B "$build-tsan" "${sanitized[@]}" -DTARNIX_SANITIZE=thread >/dev/null
cmake --build "$build-tsan" -j "$jobs" --target "${threaded[@]}"
ctest --test-dir "$build-tsan" --output-on-failure -j "$jobs" -R "^($(IFS='|'; echo "${threaded[*]}"))\$"

# Every fuzz target for a few seconds on its seeds: they still build and hold.
bash tools/fuzz.sh --smoke
