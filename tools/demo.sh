#!/usr/bin/env bash
# Builds the wizard and runs it against the bundled router emulator on loopback.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/ci/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
echo "The demo is not wired up yet."
