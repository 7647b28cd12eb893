#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian 12 machine.
# Does nothing when everything is already there. Where the kernel cannot run
# 32-bit programs it also fetches qemu-i386 into a cache of its own
# (scripts/install-qemu.sh), so the tests can run the 32-bit programs.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

packages=(
    cmake make g++ clang libclang-rt-14-dev googletest
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
    wine wine32:i386 wine64
    xvfb xauth x11-utils xdotool imagemagick
    libxrandr2 libxinerama1 libxrandr2:i386 libxinerama1:i386
    xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
    python3 python3-pytest file
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exec "$here/install-qemu.sh"

echo "Installing: ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
"$here/install-qemu.sh"
