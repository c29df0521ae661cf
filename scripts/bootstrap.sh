#!/bin/sh
# Installs everything QRN needs to build and test, from Debian packages.
# Safe to run again: it does nothing when all packages are present.
set -eu

PKGS="cmake make g++ googletest g++-mingw-w64-i686-posix binutils-mingw-w64-i686 \
wine wine32:i386 xvfb xauth xdotool x11-apps imagemagick fonts-ipafont-gothic"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi

missing=""
for p in $PKGS; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
