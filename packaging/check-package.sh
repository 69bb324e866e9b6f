#!/usr/bin/env bash
# Builds the Debian packages from the build folder BUILD (installed under /usr,
# as the packages install) into SCRATCH and checks them as a distribution
# would: lintian without errors or warnings, the desktop entry and the
# AppStream metadata valid,
# the user's package free of the emulator and its HTTP server library, the
# Recommends in place. Then it runs what it packed: both packages' files go
# into a scratch root, every installed program's --version there says the
# packages' version, and the installed wizard opens its welcome page with
# its installed data.
#   bash check-package.sh BUILD SCRATCH
# Exit 77 (skipped) when lintian, appstreamcli or dpkg-deb is missing.
set -uo pipefail
build=$1
scratch=$2

for tool in lintian appstreamcli desktop-file-validate dpkg-deb cpack; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (tools/ci/install-deps.sh installs it)"
    exit 77
  fi
done

problems=0
fail() { echo "FAIL: $*"; problems=$((problems + 1)); }

rm -rf "$scratch" && mkdir -p "$scratch"
if ! (cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" \
        -D CPACK_PACKAGING_INSTALL_PREFIX=/usr >cpack.log 2>&1); then
  cat "$scratch/cpack.log"
  fail "cpack could not build the packages"
  exit 1
fi
wizard=$(ls "$scratch"/tarnix-setup-wizard_*.deb 2>/dev/null)
emulator=$(ls "$scratch"/tarnix-router-sim_*.deb 2>/dev/null)
[ -f "$wizard" ] || fail "no tarnix-setup-wizard package"
[ -f "$emulator" ] || fail "no tarnix-router-sim package"
[ $problems -eq 0 ] || exit 1

# Informational and pedantic tags are not judged; errors and warnings are.
for deb in "$wizard" "$emulator"; do
  echo "== lintian $(basename "$deb")"
  lintian --fail-on error,warning --tag-display-limit 0 "$deb" || fail "lintian on $(basename "$deb")"
done

unpacked="$scratch/wizard"
dpkg-deb -x "$wizard" "$unpacked"
for metainfo in "$unpacked"/usr/share/metainfo/*.xml; do
  echo "== appstreamcli validate $(basename "$metainfo")"
  appstreamcli validate --no-net "$metainfo" || fail "AppStream metadata $(basename "$metainfo")"
done
[ -e "$unpacked"/usr/share/metainfo ] || fail "no AppStream metadata in the user's package"
for entry in "$unpacked"/usr/share/applications/*.desktop; do
  echo "== desktop-file-validate $(basename "$entry")"
  # Hints count too: two main categories are only a hint, yet menus list the entry twice.
  [ -z "$(desktop-file-validate "$entry")" ] || { desktop-file-validate "$entry"; fail "desktop entry $(basename "$entry")"; }
done

for file in usr/bin/TarnixConnect usr/bin/tarnix-setup usr/share/man/man1/TarnixConnect.1.gz \
    usr/share/man/man1/tarnix-setup.1.gz usr/share/doc/tarnix-setup-wizard/copyright \
    usr/share/doc/tarnix-setup-wizard/changelog.gz usr/share/applications/tarnix-setup.desktop; do
  [ -e "$unpacked/$file" ] || fail "the user's package lacks /$file"
done
[ -e "$unpacked/usr/bin/router-sim" ] && fail "the user's package holds the router emulator"
emulator_files=$(dpkg-deb -c "$emulator")
for file in ./usr/bin/router-sim ./usr/share/man/man1/router-sim.1.gz ./usr/share/doc/tarnix-router-sim/copyright; do
  case "$emulator_files" in *"$file"*) ;; *) fail "the emulator package lacks ${file#.}";; esac
done

depends=$(dpkg-deb -f "$wizard" Depends)
recommends=$(dpkg-deb -f "$wizard" Recommends)
echo "Depends: $depends"
echo "Recommends: $recommends"
case "$depends" in *httplib*) fail "the user's package depends on the HTTP server library";; esac
case "$depends" in *libcurl4*) ;; *) fail "the user's package does not depend on libcurl4, which it loads";; esac
case "$depends" in *libqt6printsupport6*libqrencode4*|*libqrencode4*libqt6printsupport6*) ;;
  *) fail "the print module's libraries are not among the user's package's dependencies";; esac
case "$recommends" in *xdg-utils*) ;; *) fail "xdg-utils is not recommended";; esac
case "$recommends" in *pdf-viewer*) ;; *) fail "no PDF viewer is recommended";; esac

version=$(dpkg-deb -f "$wizard" Version)
[ "$(dpkg-deb -f "$emulator" Version)" = "$version" ] || fail "the two packages' versions differ"
installed="$scratch/root"
dpkg-deb -x "$wizard" "$installed"
dpkg-deb -x "$emulator" "$installed"
for program in TarnixConnect tarnix-setup router-sim; do
  said=$("$installed/usr/bin/$program" --version 2>&1)
  [ "$said" = "$program $version" ] || fail "installed $program --version says '$said', the packages $version"
done

# The installed wizard under the offscreen platform, kept on loopback. A later
# start is answered only from the running welcome page, and then ends at once.
runtime="$scratch/runtime"
mkdir -m 700 "$runtime"
start_wizard=(env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" "$installed/usr/bin/TarnixConnect"
  --router 127.0.0.1:9 --probe-url http://127.0.0.1:9/)
"${start_wizard[@]}" >"$scratch/wizard.log" 2>&1 &
first=$!
for _ in $(seq 150); do
  [ -e "$runtime/tarnix-setup.lock" ] && break
  kill -0 "$first" 2>/dev/null || break
  sleep 0.1
done
if ! kill -0 "$first" 2>/dev/null; then
  wait "$first"
  fail "the installed wizard stopped at start (exit $?): $(cat "$scratch/wizard.log")"
else
  timeout 20 "${start_wizard[@]}" >"$scratch/second.log" 2>&1 ||
    fail "the installed wizard did not open its welcome page: $(cat "$scratch/wizard.log" "$scratch/second.log")"
  kill "$first"
  wait "$first" 2>/dev/null
fi

[ $problems -eq 0 ] && echo "packages fine: $(basename "$wizard") $(basename "$emulator")"
[ $problems -eq 0 ]
