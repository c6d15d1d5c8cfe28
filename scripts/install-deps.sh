#!/usr/bin/env bash
# Installs the Debian packages the build, the packages and the tests need, when any is missing.
# With their recommended packages: Wine draws text and shapes windows through them.
set -euo pipefail

packages=(
    cmake g++ make googletest libgtest-dev libbenchmark-dev libpugixml-dev
    g++-mingw-w64-x86-64 g++-mingw-w64-i686
    wine wine64 fonts-wine fonts-liberation xvfb xauth xdotool x11-utils imagemagick
    xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
    clang libclang-rt-dev clang-format python3
    fp-utils nsis p7zip-full zip
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
