#!/bin/sh
# Builds every libFuzzer target with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each in turn on its corpus:
#   fuzz_text_rules     the router link's page rules, escaping, request
#                       building and the apply run's pre-flight
#   fuzz_command_line   tarnix-setup's command line and value checks
#   fuzz_gif_walker     the GIF block walker (tools/fuzz-gif.sh)
#
#   tools/fuzz.sh [seconds per target]        (default 60)
#   tools/fuzz.sh --smoke                     5 s each, corpus only: for CI
# FUZZ_FLAGS adds libFuzzer options (for instance -max_len=1024).
#
# Exits non-zero when a target finds a crash; the input is left in
# build-fuzz/<target>/ as crash-*. The corpora grow in build-fuzz/ too.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out=${FUZZ_DIR:-$root/build-fuzz}
cxx=${CXX_FUZZ:-clang++}
seconds=${1:-60}
extra=${FUZZ_FLAGS:-}
if [ "$seconds" = "--smoke" ]; then
    # Seeds and corpus only, no new inputs kept: a quick check that every
    # target still builds and holds its invariants.
    seconds=5
    extra="$extra -max_len=4096"
fi

flags="-std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined"
includes="-I$root/router -I$root/core -I$root/settings -I$root/tools/cli -I$root/controls -I$root/tests/controls"
mkdir -p "$out/bin"

build() {
    name=$1
    shift
    # shellcheck disable=SC2086
    "$cxx" $flags $includes "$@" -o "$out/bin/$name"
}

router="$root/router/TextRules.cpp $root/router/RouterUrls.cpp $root/core/ApplyPreflight.cpp"
# The status scrape lives beside the status reads, which bring the transport.
transport="$root/router/HttpTransport.cpp $root/router/CurlLibrary.cpp $root/router/ResponseBuffer.cpp"
status="$root/router/RouterStatus.cpp $transport"
# shellcheck disable=SC2086
build fuzz_text_rules "$root/tests/router/fuzz_text_rules.cpp" $router $status
# shellcheck disable=SC2086
build fuzz_command_line "$root/tests/tools/cli/fuzz_command_line.cpp" \
    "$root/tools/cli/CommandLine.cpp" "$root/tools/cli/ApplyValues.cpp" \
    "$root/core/InputChecks.cpp" "$root/router/RouterAddress.cpp" $router \
    "$root/core/InternetProbe.cpp" $transport
build fuzz_gif_walker "$root/tests/controls/fuzz_gif_walker.cpp" "$root/controls/GifWalker.cpp"

# Seeds: a router page and settings for the text rules, a whole apply
# command for the command line, the generated and shipped GIFs for the walker.
seeds() {
    mkdir -p "$out/$1/seeds" "$out/$1/corpus"
    echo "$out/$1/seeds"
}
s=$(seeds fuzz_text_rules)
page=$(printf "<script>var sessionKey = '123456';\nvar lay2andlay3info = 'old_0_1_32}EoA}1/32|,|br_0_8_35}EoA}8/35';\nvar X_BROADCOM_COM_IfName = 'atm0';</script>\nHTTP/1.1 200 OK\r\nSet-Cookie: webuicookie=42; path=/\r\n<tr><td>Downstream Line Rate (Kbps):</td><td>24000</td></tr>")
# The parts: page, protocol, encapsulation, VPI, VCI, PPP user and password,
# static address, SSID, key, security, router password, new password, two
# markers, host.
printf '%s\0' "$page" 0 0 8 '#' joe@isp pw 10.0.0.2 'Home Net' secret123 1 vabel newpw \
    lay2andlay3info X_BROADCOM 127.0.0.1:8080 > "$s/page"
printf '%s\0' "wpaPskKey = '$(printf '\033]0;x\007')';" 2 1 '' '' 'a&b=c' '%+#?' '' \
    "$(printf '\342\202\254')" k '' 'a;b' '' '' '' '' > "$s/escapes"
s=$(seeds fuzz_command_line)
printf '%s\0' --router 127.0.0.1:8080 apply --ppp-user joe --ppp-password pw --key secret123 \
    --new-router-password newpw --pause-ms 0 --settle-ms 3600000 \
    --probe-url http://127.0.0.1/support > "$s/apply"
printf '%s\0' apply --protocol ipoa --ip 10.0.0.2 --mask 255.0.0.0 --gateway 10.0.0.1 \
    --dns1 8.8.8.8 --vpi 0x8 --vci 35abc --key 'k;y12345678' --router-password 'a;b' > "$s/static"
s=$(seeds fuzz_gif_walker)
"$cxx" -std=c++20 -O1 -I"$root/controls" -I"$root/tests/controls" \
    "$root/tests/controls/make_gif_seeds.cpp" -o "$out/bin/make_gif_seeds"
"$out/bin/make_gif_seeds" "$s"

status=0
for target in fuzz_text_rules fuzz_command_line fuzz_gif_walker; do
    echo "== $target ($seconds s)"
    (cd "$out/$target" &&
        # shellcheck disable=SC2086
        "$out/bin/$target" -max_total_time="$seconds" -print_final_stats=1 $extra corpus seeds) ||
        status=1
done
exit $status
