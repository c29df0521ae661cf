#!/bin/sh
# Installs everything QRN needs to build and test, from Debian packages.
# Safe to run again: it does nothing when all packages are present.
set -eu

# libx11-dev builds the end-to-end tests' drag-and-drop source (tests/e2e/xdnd_drop.c).
# zlib serves QRN's own archiver libraries (natively and for Windows, linked
# statically); the archivers of the last line make the archives they are
# tested against. The x86_64 compilers and wine64 serve machines whose kernel runs no 32-bit
# programs: the Windows test tiers then use a 64-bit build (scripts/wine_env.sh).
PKGS="cmake make g++ googletest g++-mingw-w64-i686-posix binutils-mingw-w64-i686 \
g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
wine wine32:i386 wine64 xvfb xauth xdotool x11-apps imagemagick fonts-ipafont-gothic locales python3 \
libx11-dev zlib1g-dev libz-mingw-w64-dev tar gzip ncompress zip unzip gcab cabextract lhasa jlha-utils"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi

missing=""
for p in $PKGS; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

# Wine takes the ANSI code page (932) from LC_ALL=ja_JP.UTF-8, and needs the
# locale itself to turn Japanese file names into UTF-8 names on disk.
ensure_locale() {
    if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
        $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
    fi
}

if [ -z "$missing" ]; then
    ensure_locale
    exit 0
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
ensure_locale
