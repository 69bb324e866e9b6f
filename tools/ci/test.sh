#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test: in a plain
# build, again under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# tests that run code on threads of their own once more under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash tools/ci/install-deps.sh

# The presets (CMakePresets.json) hold each build's options, warnings as
# errors in the plain build included; BUILD_DIR moves the build folders.
build=${BUILD_DIR:-build}
jobs=$(nproc)
cmake --preset default -B "$build" >/dev/null
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"

cmake --preset asan -B "$build-asan" >/dev/null
cmake --build "$build-asan" -j "$jobs"
# LeakSanitizer's own tracer now and then crashes as a test program ends
# ("Tracer caught signal 11"), after every check has passed; only then do the
# failed tests get one more run.
if ! ctest --test-dir "$build-asan" --output-on-failure -j "$jobs" | tee "$build-asan/ctest.log"; then
    grep -q "LeakSanitizer has encountered a fatal error" "$build-asan/ctest.log"
    ctest --test-dir "$build-asan" --output-on-failure --rerun-failed
fi

# The animated picture, the apply run and the Apply page's worker.
threaded=(tst_Picture tst_ApplyRun tst_ApplyPage)
cmake --preset tsan -B "$build-tsan" >/dev/null
cmake --build "$build-tsan" -j "$jobs" --target "${threaded[@]}"
ctest --test-dir "$build-tsan" --output-on-failure -j "$jobs" -R "^($(IFS='|'; echo "${threaded[*]}"))\$"

# Every fuzz target for a few seconds on its seeds: they still build and hold.
bash tools/fuzz.sh --smoke
