#!/usr/bin/env bash
# Runs a walk under a real headless Wayland compositor: a private runtime
# folder, Weston on a socket of its own, the walk with the Wayland platform.
# Exits 77 (skipped) with the reason when the compositor cannot start here.
#   wayland-walk.sh WALK_PROGRAM
set -u
walk=$1
runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=wayland-tarnix-$$
weston_pid=
cleanup() {
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT

if ! command -v weston >/dev/null; then
    echo "SKIPPED: weston is not installed (tools/ci/install-deps.sh installs it)"
    exit 77
fi
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket="$socket" \
    --width=1024 --height=768 --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$runtime/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
    echo "SKIPPED: the headless Wayland compositor did not start:"
    tail -n 5 "$runtime/weston.log"
    exit 77
fi
# No seat, so no text input: without this the toolkit reaches for one. The
# wizard draws with the raster engine into shared-memory buffers; without a
# client buffer integration the toolkit does not load the machine's EGL
# driver for nothing (whose leftovers would then depend on the GPU stack).
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland QT_IM_MODULE=none \
    QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none "$walk"
