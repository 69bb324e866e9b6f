#!/usr/bin/env bash
# Checks the README's set-up on a fresh Debian 12 machine: makes a minimal
# bookworm root with debootstrap, clones this checkout's HEAD into it, runs the
# README's two commands there as written (the demo, then the test command) and
# prints each one's time and result. Exits non-zero when either fails.
# About half an hour on two cores, so it is not part of .ci/run.
#
# Usage (as root): bash tools/ci/fresh-root.sh [--keep] [--new-base]
#   --keep      leave the root in place afterwards, to look inside it
#   --new-base  debootstrap anew even when a base of less than a week is cached
# FRESH_ROOT_DIR (default /var/tmp/tarnix-fresh-root) holds the root, the logs
# and the cached base: a tarball of an untouched debootstrap, unpacked afresh
# for every run. FRESH_ROOT_MIRROR names the Debian mirror.
set -euo pipefail
cd "$(dirname "$0")/../.."

keep=0
newBase=0
for arg in "$@"; do
    case "$arg" in
    --keep) keep=1 ;;
    --new-base) newBase=1 ;;
    *) echo "usage: $0 [--keep] [--new-base]" >&2; exit 2 ;;
    esac
done
[ "$(id -u)" -eq 0 ] || { echo "fresh-root: run as root (debootstrap, chroot and mount need it)" >&2; exit 2; }

top=$(pwd)
head=$(git rev-parse HEAD)
dir=${FRESH_ROOT_DIR:-/var/tmp/tarnix-fresh-root}
mirror=${FRESH_ROOT_MIRROR:-http://deb.debian.org/debian}
root=$dir/root
base=$dir/bookworm-minbase.tar
logs=$dir/logs
checkout=/root/tarnix

say() { echo "fresh-root: $*"; }
elapsed() { local s=$(($(date +%s) - $1)); printf '%d min %02d s' $((s / 60)) $((s % 60)); }

# Every mount below the root, deepest first: ours and any a test left behind.
mountsBelowRoot() {
    findmnt -rn -o TARGET | awk -v r="$root" '$0 == r || index($0, r "/") == 1' | sort -r
}

# Processes still running inside the root (a daemon a package started, a test's
# server) would keep its mounts busy.
stopRootProcesses() {
    local p
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -KILL "${p#/proc/}" 2>/dev/null
    done
    return 0
}

unmountRoot() {
    stopRootProcesses
    local m
    for m in $(mountsBelowRoot); do
        umount "$m" 2>/dev/null || umount -l "$m" || true
    done
}

# Removes the root only when nothing is mounted below it any more, so that a
# failed unmount can never delete the machine's own /dev or /sys.
removeRoot() {
    [ -e "$root" ] || return 0
    unmountRoot
    if [ -n "$(mountsBelowRoot)" ]; then
        say "still mounted below $root, not removing it:" >&2
        mountsBelowRoot >&2
        return 1
    fi
    rm -rf --one-file-system "$root"
}

cleanUp() {
    if [ "$keep" -eq 1 ]; then
        unmountRoot
        say "the root is kept in $root"
    else
        removeRoot
    fi
}

makeBase() {
    if ! command -v debootstrap >/dev/null; then
        say "installing debootstrap on this machine"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
            --no-install-recommends debootstrap >/dev/null
    fi
    local staging=$dir/debootstrap start
    start=$(date +%s)
    rm -rf --one-file-system "$staging"
    say "debootstrap --variant=minbase bookworm from $mirror"
    if ! debootstrap --variant=minbase bookworm "$staging" "$mirror" >"$logs/debootstrap.log" 2>&1; then
        say "debootstrap failed; the end of $logs/debootstrap.log:" >&2
        tail -n 30 "$logs/debootstrap.log" >&2
        exit 1
    fi
    tar -C "$staging" --numeric-owner -cpf "$base.new" . && mv "$base.new" "$base"
    rm -rf --one-file-system "$staging"
    say "debootstrap done in $(elapsed "$start")"
}

# A private mount of the root keeps what is mounted inside it from reaching
# the machine's own mounts, and theirs from reaching it.
prepareRoot() {
    mkdir -p "$root"
    tar -C "$root" --numeric-owner -xpf "$base"
    mount --bind "$root" "$root"
    mount --make-rprivate "$root"
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    mount -t tmpfs shm "$root/dev/shm"
    mount -t tmpfs run "$root/run"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    # As a fresh install: the release, its updates and its security fixes.
    cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb ${mirror%/debian}/debian-security bookworm-security main
EOF
    # apt here may be told to accept a mirror's dated release files; so is the root.
    apt-config dump Acquire::Check-Valid-Until Acquire::Check-Date >"$root/etc/apt/apt.conf.d/90host"
    # Daemons that packages would start must not outlive the check; the tests
    # start what they need themselves.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod +x "$root/usr/sbin/policy-rc.d"
    git clone --quiet --no-checkout "$top" "$root$checkout"
    git -C "$root$checkout" checkout --quiet --detach "$head"
}

# Runs one command in the checkout inside the root, as a root login would,
# without a display. Prints its time and result; the tail of its log on failure.
runStep() {
    local name=$1 command=$2 log=$logs/$1.log start status=0
    say "running '$command' (log: $log)"
    start=$(date +%s)
    # In the background, so that Ctrl-C or a TERM reaches the clean-up at once.
    chroot "$root" /usr/bin/env -i HOME=/root USER=root LOGNAME=root SHELL=/bin/bash \
        LANG=C.UTF-8 TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c "cd $checkout && $command" </dev/null >"$log" 2>&1 &
    wait $! || status=$?
    if [ "$status" -eq 0 ]; then
        results+=("$(printf '%-24s passed in %s' "$command" "$(elapsed "$start")")")
    else
        results+=("$(printf '%-24s FAILED (exit %d) in %s' "$command" "$status" "$(elapsed "$start")")")
        say "'$command' failed; what failed, then the end of $log:"
        grep -E 'FAIL!|\*\*\*(Failed|Timeout|Exception)|: error:|^E: |ERROR: ' "$log" | head -n 20 |
            sed 's/^/    /' || true
        echo "    ..."
        tail -n 40 "$log" | sed 's/^/    /'
        failed=1
    fi
    say "${results[-1]}"
}

# The whole run in one function: bash has read it all before it starts, so an
# edit to this file during a run does not change the run.
main() {
    mkdir -p "$dir" "$logs"
    # One run per folder: another would take this run's root from under it.
    exec {lock}>"$dir/lock"
    flock -n "$lock" || { say "another run is using $dir (FRESH_ROOT_DIR picks another folder)" >&2; exit 2; }
    removeRoot
    if [ "$newBase" -eq 1 ] || [ -z "$(find "$base" -mtime -7 2>/dev/null)" ]; then
        makeBase
    else
        say "using the untouched debootstrap base of $(date -r "$base" '+%F %R') ($base)"
    fi
    [ -n "$(git status --porcelain)" ] && say "note: uncommitted changes are not checked, only HEAD"
    say "checking $(git log -1 --format='%h %s' "$head")"

    trap cleanUp EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    prepareRoot
    results=()
    failed=0
    runStep demo "bash tools/demo.sh"
    runStep test "bash tools/ci/test.sh"

    echo
    say "results on a fresh Debian 12 root (commit ${head:0:12}):"
    printf '    %s\n' "${results[@]}"
    exit "$failed"
}

main
