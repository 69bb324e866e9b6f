#!/usr/bin/env bash
# Builds the wizard and the router emulator, starts the emulator on loopback and
# opens the wizard against it with short pauses; when the wizard closes, prints
# the state the emulated router ended up with. Without a display it says how to
# see the window under Xvfb and applies a sample PPPoE setup with tarnix-setup
# instead, printing each step.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/ci/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target TarnixConnect tarnix-setup router-sim

simOutput=$(mktemp)
simPid=
stopEmulator() {
    if [ -n "$simPid" ] && kill -0 "$simPid" 2>/dev/null; then
        kill -TERM "$simPid"
        wait "$simPid" || true
    fi
}
cleanUp() {
    stopEmulator
    rm -f "$simOutput"
}
trap cleanUp EXIT

"$build/bin/router-sim" --listen 127.0.0.1:0 >"$simOutput" &
simPid=$!
port=
for _ in $(seq 100); do
    port=$(sed -n 's/^listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$simOutput")
    [ -n "$port" ] && break
    kill -0 "$simPid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$port" ]; then
    echo "demo: the router emulator did not start" >&2
    exit 1
fi
echo "Router emulator listening on 127.0.0.1:$port"

status=0
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Opening the wizard; walk it through, then close it to see the router's state."
    "$build/bin/TarnixConnect" --router "127.0.0.1:$port" \
        --pause-ms 200 --settle-ms 3000 \
        --probe-url "http://127.0.0.1:$port/support" || status=$?
    echo "TarnixConnect exited with $status"
else
    echo "No display here. To see the wizard's window, run:"
    echo "    xvfb-run -s '-screen 0 1024x768x24' bash tools/demo.sh"
    echo "Applying a sample setup with the command line instead:"
    TARNIX_PPP_PASSWORD=demo-ppp-password TARNIX_WIFI_KEY=demo-wifi-key \
    TARNIX_NEW_ROUTER_PASSWORD=demo-admin \
        "$build/bin/tarnix-setup" --router "127.0.0.1:$port" apply \
        --country au --protocol pppoe --ppp-user demo@isp.example \
        --ssid "Tarnix Demo" --security wpa2 \
        --pause-ms 200 --settle-ms 2000 \
        --probe-url "http://127.0.0.1:$port/support" || status=$?
    echo "tarnix-setup exited with $status"
fi

stopEmulator
echo "The router's state afterwards:"
sed '/^listening on /d' "$simOutput"
exit "$status"
