#!/usr/bin/env bash
# Runs a walk on a small X screen under openbox: Xvfb at SIZE on a free
# display, openbox keeping PANEL pixels at the top for a panel (its margins
# take them out of the work area, as a panel's strut does), the walk with the
# X11 platform. Exits 77 (skipped) with the reason when either cannot start.
#   small-screen-walk.sh WALK_PROGRAM SIZE PANEL    (SIZE as 1024x600)
set -u
walk=$1 size=$2 panel=$3
scratch=$(mktemp -d)
xvfb_pid= openbox_pid=
cleanup() {
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null && wait "$openbox_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

for tool in Xvfb openbox; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (tools/ci/install-deps.sh installs it)"
        exit 77
    fi
done
cat >"$scratch/rc.xml" <<RC
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <margins><top>$panel</top><bottom>0</bottom><left>0</left><right>0</right></margins>
</openbox_config>
RC

stopScreen() {
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null && wait "$openbox_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    openbox_pid= xvfb_pid=
}

# Xvfb picks a free display itself, but two servers starting at the same
# moment can both name one display and one of them then exits; the walk must
# not run on another test's screen. So the screen counts only when our own
# Xvfb and openbox are both still alive with openbox managing it.
startScreen() {
    : >"$scratch/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$scratch/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    sleep 0.3
    kill -0 "$xvfb_pid" 2>/dev/null && [ -s "$scratch/display" ] || return 1
    export DISPLAY=:$(cat "$scratch/display")
    openbox --config-file "$scratch/rc.xml" >"$scratch/openbox.log" 2>&1 &
    openbox_pid=$!
    for _ in $(seq 300); do
        kill -0 "$openbox_pid" 2>/dev/null && kill -0 "$xvfb_pid" 2>/dev/null || return 1
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && return 0
        sleep 0.1
    done
    return 1
}

started=
for _ in 1 2 3 4 5; do
    if startScreen; then started=1; break; fi
    stopScreen
    sleep "0.$((RANDOM % 9 + 1))"
done
if [ -z "$started" ]; then
    echo "SKIPPED: Xvfb with openbox did not start:"
    tail -n 5 "$scratch/xvfb.log" "$scratch/openbox.log"
    exit 77
fi
QT_QPA_PLATFORM=xcb "$walk"
