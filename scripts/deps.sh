#!/bin/bash
# Installs what building and testing Glimmora needs on Debian; quick when all is there.
set -euo pipefail
packages=(cmake g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
          mingw-w64 wine wine64 xvfb xcompmgr xdotool imagemagick x11-utils x11-xserver-utils python3 procps e2fsprogs
          nsis locales)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""; [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
