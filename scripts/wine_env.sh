# Sourced by the run and test scripts: a 32-bit Wine session of our own,
# kept inside the build tree, with Shift-JIS as the ANSI code page.
#   QRN_BUILD   the build tree (default: build/ beside this script's folder)

QRN_ROOT=${QRN_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
QRN_BUILD=${QRN_BUILD:-$QRN_ROOT/build}
export WINEARCH=win32
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
    wineboot -i >/dev/null 2>&1
    wineserver -w
}

# Maps the extra drive letters the tests use, all to folders below $1:
#   R: a folder with the volume label QRNTEST
#   S: a drive whose target does not exist (not ready)
#   T: a folder of kind CD-ROM
#   U: a folder without a volume label (its root lists files only)
qrn_map_test_drives() {
    local base=$1
    rm -rf "$base"
    mkdir -p "$base/label" "$base/cdrom" "$base/plain"
    printf 'QRNTEST\n' > "$base/label/.windows-label"
    ln -sfn "$base/label" "$WINEPREFIX/dosdevices/r:"
    ln -sfn "$base/missing" "$WINEPREFIX/dosdevices/s:"
    ln -sfn "$base/cdrom" "$WINEPREFIX/dosdevices/t:"
    ln -sfn "$base/plain" "$WINEPREFIX/dosdevices/u:"
    wine reg add 'HKLM\Software\Wine\Drives' /v 't:' /d cdrom /f >/dev/null 2>&1
    wineserver -w
    export QRN_TEST_LABEL_DRIVE=R QRN_TEST_MISSING_DRIVE=S QRN_TEST_CDROM_DRIVE=T QRN_TEST_PLAIN_DRIVE=U
    export WINEPATH=""
}
