# Sourced by the run, test and bench scripts: a Wine session of our own,
# kept inside the build tree, with Shift-JIS as the ANSI code page.
#   QRN_BUILD       the build tree (default: build/ beside this script's folder)
#   QRN_WINE_BITS   32 or 64; chosen here when not set (see below)
#
# qrn.exe is a 32-bit program and is always built as one (build/win32). Some
# kernels run no 32-bit programs at all (IA-32 emulation switched off), and
# 32-bit Wine then fails with "Exec format error"; under a user-mode emulator
# it runs, but a hundred times slower than the tests can wait for. On such a
# machine the Windows test tiers run a 64-bit build of the same sources
# (build/win64) under 64-bit Wine instead. After sourcing:
#   QRN_WIN_BUILD   the build tree of the Windows programs to run
#   QRN_TOOLCHAIN   its CMake toolchain file
#   QRN_PREFIX_TAG  "" for 32-bit Wine, "64" for 64-bit: prefixes differ

QRN_ROOT=${QRN_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
QRN_BUILD=${QRN_BUILD:-$QRN_ROOT/build}

# True when 32-bit Wine runs here natively (not through an emulator).
qrn_runs_i386() {
    local entry
    for entry in /proc/sys/fs/binfmt_misc/qemu-i386 /proc/sys/fs/binfmt_misc/i386; do
        if [ -r "$entry" ] && [ "$(head -n 1 "$entry")" = enabled ]; then
            return 1
        fi
    done
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

if [ -z "${QRN_WINE_BITS:-}" ]; then
    if qrn_runs_i386; then QRN_WINE_BITS=32; else QRN_WINE_BITS=64; fi
fi
export QRN_WINE_BITS
if [ "$QRN_WINE_BITS" = 64 ]; then
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    # /usr/bin/wine picks the 32-bit loader whenever it is installed: a
    # "wine" of our own, first in PATH, so that programs started through
    # xvfb-run and child scripts find the 64-bit one too.
    mkdir -p "$QRN_BUILD/wine64-bin"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$QRN_BUILD/wine64-bin/wine"
    chmod +x "$QRN_BUILD/wine64-bin/wine"
    case ":$PATH:" in
        *":$QRN_BUILD/wine64-bin:"*) ;;
        *) export PATH="$QRN_BUILD/wine64-bin:$PATH" ;;
    esac
    QRN_WIN_BUILD=$QRN_BUILD/win64
    QRN_TOOLCHAIN=$QRN_ROOT/cmake/toolchain-mingw-x86_64.cmake
    QRN_PREFIX_TAG=64
else
    export WINEARCH=win32
    QRN_WIN_BUILD=$QRN_BUILD/win32
    QRN_TOOLCHAIN=$QRN_ROOT/cmake/toolchain-mingw-i686.cmake
    QRN_PREFIX_TAG=""
fi
export QRN_WIN_BUILD QRN_TOOLCHAIN QRN_PREFIX_TAG

# Configures and builds the Windows programs of $QRN_WIN_BUILD (targets: $@).
qrn_build_windows() {
    cmake -S "$QRN_ROOT" -B "$QRN_WIN_BUILD" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$QRN_TOOLCHAIN" >/dev/null
    cmake --build "$QRN_WIN_BUILD" -j "$(nproc 2>/dev/null || echo 2)" "$@"
}
export WINEDEBUG=-all
export LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installers in a fresh prefix

# Makes a fresh prefix at $1 and waits until it is ready.
qrn_fresh_prefix() {
    export WINEPREFIX=$1
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null || true
        rm -rf "$WINEPREFIX"
    fi
    mkdir -p "$(dirname "$WINEPREFIX")"
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
}

# Maps the extra drive letters the tests use, all to folders below $1:
#   R: a folder with the volume label QRNTEST
#   S: a drive whose target does not exist (not ready)
#   T: a folder of kind CD-ROM
#   U: a folder without a volume label (its root lists files only)
#   W: a small volume of its own (a 4 MiB tmpfs), and another mounted on the
#      folder vol of L: (another volume behind a folder of the same drive)
qrn_map_test_drives() {
    local base=$1 sudo=""
    if [ "$(id -u)" != 0 ]; then sudo=sudo; fi
    qrn_unmount_test_volumes "$base"
    rm -rf "$base"
    mkdir -p "$base/label" "$base/cdrom" "$base/plain"
    printf 'QRNTEST\n' > "$base/label/.windows-label"
    ln -sfn "$base/label" "$WINEPREFIX/dosdevices/r:"
    ln -sfn "$base/missing" "$WINEPREFIX/dosdevices/s:"
    ln -sfn "$base/cdrom" "$WINEPREFIX/dosdevices/t:"
    ln -sfn "$base/plain" "$WINEPREFIX/dosdevices/u:"
    ln -sfn "$base/plain" "$WINEPREFIX/dosdevices/v:"  # a second letter onto the same folder
    # Directory links made on this side, which Wine shows as links: one back
    # up into its tree, one out of it, one in a tree to delete.
    mkdir -p "$base/links/tree/sub" "$base/links/outside" "$base/links/deltree"
    printf 'a' > "$base/links/tree/a.txt"
    printf 'k' > "$base/links/outside/keep.txt"
    printf 'i' > "$base/links/deltree/inner.txt"
    ln -s .. "$base/links/tree/sub/up"
    ln -s ../outside "$base/links/tree/out"
    ln -s ../outside "$base/links/deltree/out"
    # A tree to move that holds a link; a mirror target whose link must not be entered.
    mkdir -p "$base/links/movetree/sub" "$base/links/msrc/m/out" "$base/links/mdst/m"
    printf 'm' > "$base/links/movetree/sub/m.txt"
    ln -s ../outside "$base/links/movetree/out"
    printf 'n' > "$base/links/msrc/m/out/new.txt"
    printf 'e' > "$base/links/mdst/m/extra.txt"
    ln -s ../../outside "$base/links/mdst/m/out"
    # File links (which Wine flags as nothing but files), a tree holding one,
    # a mirror target holding one only it has, one onto a read-only file, and
    # a link to the parent of a tree to copy.
    mkdir -p "$base/links/fl/tree" "$base/links/fl/msrc/m" "$base/links/fl/mdst/m" "$base/links/fl/out" \
        "$base/links/p/t" "$base/links/p/bak"
    printf 'o' > "$base/links/fl/out/o.txt"
    printf 'r' > "$base/links/fl/out/ro.txt"
    chmod a-w "$base/links/fl/out/ro.txt"
    printf 'x' > "$base/links/fl/tree/x.txt"
    printf 'x' > "$base/links/p/t/x.txt"
    ln -s out/o.txt "$base/links/fl/row.lnk"
    ln -s out/ro.txt "$base/links/fl/ro.lnk"
    ln -s ../out/o.txt "$base/links/fl/tree/f.lnk"
    ln -s ../../out/o.txt "$base/links/fl/mdst/m/only.lnk"
    ln -s .. "$base/links/p/t/up"
    ln -sfn "$base/links" "$WINEPREFIX/dosdevices/l:"
    mkdir -p "$base/small" "$base/links/vol"
    $sudo mount -t tmpfs -o size=4m qrnsmall "$base/small"
    $sudo mount -t tmpfs -o size=4m qrnvol "$base/links/vol"
    ln -sfn "$base/small" "$WINEPREFIX/dosdevices/w:"
    wine reg add 'HKLM\Software\Wine\Drives' /v 't:' /d cdrom /f >/dev/null 2>&1
    wineserver -w
    export QRN_TEST_LABEL_DRIVE=R QRN_TEST_MISSING_DRIVE=S QRN_TEST_CDROM_DRIVE=T QRN_TEST_PLAIN_DRIVE=U \
        QRN_TEST_ALIAS_DRIVE=V QRN_TEST_LINKS_DRIVE=L QRN_TEST_SMALL_DRIVE=W
    export WINEPATH=""
}

# Unmounts the small volumes of qrn_map_test_drives below $1.
qrn_unmount_test_volumes() {
    local m sudo=""
    if [ "$(id -u)" != 0 ]; then sudo=sudo; fi
    for m in "$1/small" "$1/links/vol"; do
        if mountpoint -q "$m" 2>/dev/null; then $sudo umount "$m"; fi
    done
}
