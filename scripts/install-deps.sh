#!/usr/bin/env bash
# Installs what Examora needs to build, run and test on Debian 12, as root (or through sudo), and
# any further Debian packages named as arguments.
set -euo pipefail
packages=("$@"

    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    libbenchmark-dev
    fonts-dejavu-core
    xvfb xauth openbox xdotool imagemagick
    desktop-file-utils appstream dpkg-dev file
    python3 python3-pyatspi at-spi2-core dbus
    poppler-utils
    time
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
