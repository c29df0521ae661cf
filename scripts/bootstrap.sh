#!/bin/sh
# Installs everything QRN needs to build and test, from Debian packages.
# Safe to run again: it does nothing when all packages are present.
set -eu

PKGS="cmake make g++ googletest g++-mingw-w64-i686-posix binutils-mingw-w64-i686 \
wine wine32:i386 xvfb xauth xdotool x11-apps imagemagick fonts-ipafont-gothic locales python3"

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

# Some kernels run no 32-bit programs of their own (IA-32 emulation switched
# off). Wine then needs the user-mode emulator registered for i386 programs.
I386_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
I386_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
ensure_i386() {
    /usr/lib/wine/wine --version >/dev/null 2>&1 && return 0
    if ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q "install ok installed"; then
        $SUDO apt-get install -y -qq --no-install-recommends qemu-user-static
    fi
    if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
        [ -e /proc/sys/fs/binfmt_misc/register ] || $SUDO mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
        printf '%s' ":qemu-i386:M::$I386_MAGIC:$I386_MASK:/usr/bin/qemu-i386-static:F" |
            $SUDO tee /proc/sys/fs/binfmt_misc/register >/dev/null
    fi
}

if [ -z "$missing" ]; then
    ensure_locale
    ensure_i386
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
ensure_i386
