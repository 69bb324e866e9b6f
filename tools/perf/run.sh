#!/usr/bin/env bash
# Prints the wizard's performance figures beside their yardsticks, all
# measured in this one run, on the RelWithDebInfo build under the offscreen
# platform. Only the router emulator on 127.0.0.1 is contacted.
# Start-up and memory are measured at scale 1 and 2 (QT_SCALE_FACTOR); the
# load average is printed beside them, since the times move with it.
#   tools/perf/run.sh [start-up runs, default 10]
set -euo pipefail
cd "$(dirname "$0")/../.."

bash tools/ci/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target TarnixConnect router-sim bench_apply_run \
    perf_first_paint perf_bare_dialog perf_gif perf_wizard >/dev/null

runs=${1:-10}
build=$PWD/$build
bin=$build/bin
# On tmpfs, as a desktop session's runtime folder is: on disk, the lock file's
# flush would be timed too.
XDG_RUNTIME_DIR=$(mktemp -d -p /dev/shm)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
export QT_QPA_PLATFORM=offscreen:configfile=$PWD/cmake/offscreen-desktop.json QT_QPA_FONTDIR=/usr/share/fonts/truetype/liberation XDG_RUNTIME_DIR
cd data

# "LABEL ms KB" at the first window painted.
startUp() {
    echo "$1 $(TARNIX_PERF_LAUNCH_NS=$(date +%s%N) \
        LD_PRELOAD=$build/tools/perf/libperf_first_paint.so "${@:2}")"
}
# The wizard and both yardsticks, started in turn, so that a moment of load
# weighs on each alike.
firstPaints() {
    for _ in $(seq "$runs"); do
        startUp wizard "$bin/TarnixConnect"
        startUp bare "$bin/perf_bare_dialog"
        startUp text "$bin/perf_bare_dialog" --with-text
    done
}
median() { awk '{ v[NR] = $0 } END { print v[int((NR + 1) / 2)] }'; }
# "ms KB" of LABEL's median start.
medianOf() { awk -v label="$1" '$1 == label { print $2, $3 }' "$2" | sort -n | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

loadAverage() { cut -d' ' -f1-3 /proc/loadavg; }
echo "Load average (1, 5, 15 min) at the start: $(loadAverage)"

# Start-up and peak memory at one scale factor; the bare dialog draws the
# welcome page's picture at that scale as the wizard does.
figuresAtScale() {
    local wizardMs wizardKb bareMs bareKb textMs textKb steps walkKb walkMs
    export QT_SCALE_FACTOR=$1
    local starts=$XDG_RUNTIME_DIR/starts
    firstPaints >"$starts"
    read -r wizardMs wizardKb < <(medianOf wizard "$starts")
    read -r bareMs bareKb < <(medianOf bare "$starts")
    read -r textMs textKb < <(medianOf text "$starts")
    read -r steps walkKb walkMs < <("$bin/perf_wizard" walk "$bin/router-sim")
    echo "Scale $1, start to first window painted (median of $runs): TarnixConnect welcome page" \
         "$wizardMs ms, bare Qt dialog with one picture $bareMs ms: $(ratio "$wizardMs" "$bareMs") x"
    echo "Scale $1, the same bare dialog with one line of text too (it loads the fonts):" \
         "$textMs ms, $((textKb / 1024)) MB: the welcome page $(ratio "$wizardMs" "$textMs") x," \
         "$(ratio "$wizardKb" "$textKb") x its memory"
    echo "Scale $1, peak memory (max RSS): the walk tests' first-install PPPoE road, welcome page" \
         "to join-wireless guide ($steps steps, $walkMs ms with no pauses, against router-sim)" \
         "$((walkKb / 1024)) MB; welcome page alone $((wizardKb / 1024)) MB; bare dialog" \
         "$((bareKb / 1024)) MB: walk $(ratio "$walkKb" "$bareKb") x, welcome page" \
         "$(ratio "$wizardKb" "$bareKb") x bare"
    unset QT_SCALE_FACTOR
}
figuresAtScale 1
figuresAtScale 2

read -r nextMs nextMin nextMax < <("$bin/perf_wizard" next 20)
echo "NEXT to next page painted (welcome START to preparations page, median of 20):" \
     "$nextMs ms (fastest $nextMin, slowest $nextMax)"

read -r pictureCpu _ pictureFps _ < <("$bin/perf_gif" picture 5)
read -r movieCpu _ movieFps _ < <("$bin/perf_gif" movie 5)
echo "Playing pic/BG/1000.gif for 5 s: CPictureEx $pictureCpu % of one core ($pictureFps frames/s)," \
     "QMovie $movieCpu % ($movieFps frames/s): $(ratio "$pictureCpu" "$movieCpu") x"

echo "Apply run with zero pauses: $("$build/tests/bench_apply_run")"
echo "Load average at the end: $(loadAverage)"
