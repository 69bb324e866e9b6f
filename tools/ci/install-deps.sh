#!/usr/bin/env bash
# Installs what building, testing and running the wizard need on Debian 12.
# Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libcurl4-openssl-dev libcpp-httplib-dev libqrencode-dev libfontconfig-dev
  fonts-liberation
  clang clang-format libclang-rt-14-dev
  xvfb xauth x11-apps x11-utils openbox imagemagick desktop-file-utils
  poppler-utils zbar-tools
  weston qt6-wayland
  at-spi2-core dbus-daemon python3-pyatspi orca speech-dispatcher openbox xdotool
  iproute2
  xdg-utils lintian appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
