#!/bin/bash
# End-to-end scenarios: the real qrn.exe under Wine on an X display, driven
# through qrndrive.exe (window texts, buttons, keys through the input queue).
# Expects the environment of scripts/wine_env.sh with a fresh WINEPREFIX and
# DISPLAY set.   usage: run_e2e.sh WIN32_BUILD_DIR
set -u
BUILD=$(cd "$1" && pwd)
DRIVER=$BUILD/tests/e2e/qrndrive.exe
QRN_EXE=$BUILD/qrn.exe
C=$WINEPREFIX/drive_c
PROG=$C/qrn            # the program folder, C:\qrn
failures=0
passes=0
current=""
QRN_PID=""

drive() { wine "$DRIVER" "$@"; }
say() { printf '%s\n' "$*"; }
check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then
        passes=$((passes + 1))
    else
        failures=$((failures + 1))
        say "FAIL [$current] $what"
    fi
}
equals() { [ "$1" == "$2" ] || { say "  expected: $2"; say "  actual:   $1"; return 1; }; }
contains() { [[ "$1" == *"$2"* ]] || { say "  expected to contain: $2"; say "  actual: $1"; return 1; }; }

# qrn.ini as UTF-8 without carriage returns.
ini_text() { iconv -f CP932 -t UTF-8 "$PROG/qrn.ini" 2>/dev/null | tr -d '\r'; }
# ini_value SECTION KEY
ini_value() {
    ini_text | awk -v s="[$1]" -v k="$2" '
        /^\[/ { in_s = ($0 == s); next }
        in_s && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }'
}
# write_ini LINES... (UTF-8 text, stored as Shift-JIS with CRLF)
write_ini() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 > "$PROG/qrn.ini"; }

fresh_program_folder() {
    rm -rf "$PROG"
    mkdir -p "$PROG"
    cp "$QRN_EXE" "$PROG/qrn.exe"
}

# start_in WINDIR WINPROGRAM ARGS: starts a program in the background with
# exactly ARGS as its command-line arguments (no quoting added on the way).
start_in() {
    (QRN_ARGS=$3 exec wine "$DRIVER" exec "$1" "$2") &
    QRN_PID=$!
}
start_qrn() { start_in 'C:\qrn' 'C:\qrn\qrn.exe' "${1:-}"; }

# Waits for the started program to end (at most 20 s); its exit code in $?.
wait_qrn() {
    local i
    for i in $(seq 1 200); do
        if ! kill -0 "$QRN_PID" 2>/dev/null; then
            wait "$QRN_PID"
            return $?
        fi
        sleep 0.1
    done
    say "  the program did not end"
    kill "$QRN_PID" 2>/dev/null
    return 124
}

main_title() { drive title QRN "QRN - " | tr -d '\r'; }

scenario() { current=$1; say "-- $1"; }

# ---------------------------------------------------------------------------
scenario "first start without qrn.ini"
fresh_program_folder
start_qrn
check "the main window appears" drive wait QRN "QRN - " 30000
check "it lists the program folder" equals "$(main_title)" 'QRN - C:\qrn\*.*'
check "the start banner is gone after the first paint" equals "$(drive count '#32770' QRN | tr -d '\r')" 0
check "closing ends the program with code 0" drive close QRN "QRN - "
wait_qrn
check "exit code 0" equals "$?" 0
check "qrn.ini was written" test -f "$PROG/qrn.ini"
check "width"  equals "$(ini_value QRNInit init_x_siz)" 600
check "height" equals "$(ini_value QRNInit init_y_siz)" 350
check "left"   equals "$(ini_value QRNInit init_x_pos)" 0
check "top"    equals "$(ini_value QRNInit init_y_pos)" 0
check "mask"   equals "$(ini_value QRNInit Mask)" '*.*'
check "not maximised" equals "$(ini_value QRNInit WinSizeIsMax)" 0
check "per-drive directory of C:" equals "$(ini_value QRN_CurDir C:)" 'C:\qrn\'
check "no entry for the CD-ROM drive" equals "$(ini_value QRN_CurDir T:)" ""
check "no entry for the drive that is not ready" equals "$(ini_value QRN_CurDir S:)" ""
check "GetPath is not written with SaveMode 0" equals "$(ini_value QRNInit GetPath)" ""

# ---------------------------------------------------------------------------
scenario "a start directory on the command line"
fresh_program_folder
mkdir -p "$C/data" "$C/ソフト"
start_qrn 'C:\data'
check "the window shows the directory with a backslash added" drive wait QRN 'QRN - C:\data\*.*' 30000
drive keys QRN "QRN - " q
wait_qrn
check "its drive's directory is saved" equals "$(ini_value QRN_CurDir C:)" 'C:\data\'

start_qrn 'C:\ソフト'
check "a Shift-JIS name whose trail byte is a backslash" drive wait QRN 'QRN - C:\ソフト\*.*' 30000
drive keys QRN "QRN - " q
wait_qrn
check "its directory is saved byte for byte" equals "$(ini_value QRN_CurDir C:)" 'C:\ソフト\'

start_qrn '"C:\data'
check "an unbalanced quote is dropped" drive wait QRN 'QRN - C:\data\*.*' 30000
drive close QRN "QRN - "
wait_qrn

start_qrn 'C:\no such folder\deeper'
check "a directory that does not exist falls back to its root" drive wait QRN 'QRN - C:\*.*' 30000
check "without a message" equals "$(drive count '#32770' - | tr -d '\r')" 0
drive close QRN "QRN - "
wait_qrn

start_qrn "C:\\$(printf 'x%.0s' $(seq 1 300))"
check "an overlong start directory starts where the settings say" drive wait QRN 'QRN - C:\qrn\*.*' 30000
drive close QRN "QRN - "
wait_qrn

# ---------------------------------------------------------------------------
scenario "a mask on the command line"
fresh_program_folder
write_ini "[QRNInit]" 'GetPath=C:\data\' "WinBannerMode=0"
start_qrn 'C:\ignored /m*.txt'
check "the mask is taken, the directory comes from GetPath" drive wait QRN 'QRN - C:\data\*.txt' 30000
drive close QRN "QRN - "
wait_qrn
check "the mask is saved" equals "$(ini_value QRNInit Mask)" '*.txt'

start_qrn '/m"*.c" trailing'
check "a quoted mask ends at its quote" drive wait QRN 'QRN - C:\data\*.c' 30000
drive close QRN "QRN - "
wait_qrn

# ---------------------------------------------------------------------------
scenario "quitting by key"
fresh_program_folder
write_ini "[QRNInit]" "SaveMode=1" "MenuMode=1"
start_qrn 'C:\data'
drive wait QRN "QRN - " 30000
drive keys QRN "QRN - " q
wait_qrn
check "Q with SaveMode 1 writes GetPath" equals "$(ini_value QRNInit GetPath)" 'C:\data\'

write_ini "[QRNInit]" "SaveMode=0"
start_qrn 'C:\ソフト'
drive wait QRN "QRN - " 30000
drive keys QRN "QRN - " shift+q
wait_qrn
check "Shift+Q writes GetPath whatever SaveMode says" equals "$(ini_value QRNInit GetPath)" 'C:\ソフト\'

start_qrn
check "the next start opens the saved directory" drive wait QRN 'QRN - C:\ソフト\*.*' 30000
drive keys QRN "QRN - " esc
check "Escape asks first" drive wait '#32770' 確認 10000
check "the question" contains "$(drive texts '#32770' 確認)" "終了しますか？"
drive press '#32770' 確認 '#2'
sleep 1
check "Cancel keeps the program running" equals "$(drive count QRN 'QRN - ' | tr -d '\r')" 1
drive keys QRN "QRN - " esc
drive wait '#32770' 確認 10000
drive press '#32770' 確認 '#1'
wait_qrn
check "OK ends it" equals "$?" 0

# ---------------------------------------------------------------------------
scenario "settings that are broken or extreme"
fresh_program_folder
printf '%s\r\n' "garbage ===" "[QRNInit" "[QRNInit]" "init_x_siz=999999999" "init_y_siz=-5" \
    "init_x_pos=-99999" "FontSize=abc" "Disp_Mode=-7" "Mask=$(printf '*%.0s' $(seq 1 80))" \
    "GetPath=S:\\" "[Color]" "Back_Col_R=9999" "[QRNInit]" "SaveMode=1" > "$PROG/qrn.ini"
start_qrn
check "a drive that is not ready at the first read falls back to the program folder" \
    drive wait QRN 'QRN - C:\qrn\' 30000
check "silently" equals "$(drive count '#32770' - | tr -d '\r')" 0
drive close QRN "QRN - "
wait_qrn
check "ends normally" equals "$?" 0
check "the stored size is usable again" equals "$(ini_value QRNInit init_x_siz)" 600

# ---------------------------------------------------------------------------
scenario "update mode"
# The source is the running updater itself, so its deletion is left to the
# system's next restart.
pending_deletions() { wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations 2>/dev/null | tr -d '\r' | grep PendingFileRenameOperations; }
wine reg delete 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations /f >/dev/null 2>&1
fresh_program_folder
mkdir -p "$C/new"
cp "$QRN_EXE" "$C/new/qrn.exe"
printf 'old version' > "$PROG/qrn.exe"
write_ini "[QRNInit]" "WinBannerMode=0"
# The old program still holds its file for a moment.
wine "$DRIVER" hold 'C:\qrn\qrn.exe' 1500 &
holder=$!
sleep 0.5
start_in 'C:\new' 'C:\new\qrn.exe' '/@f"C:\new\qrn.exe" /@t"C:\qrn\qrn.exe" /@m1'
updater=$QRN_PID
check "the updated program starts" drive wait QRN "QRN - " 30000
wait "$updater"
check "the updater ends with code 0" equals "$?" 0
wait "$holder"
check "the target was replaced" cmp -s "$QRN_EXE" "$PROG/qrn.exe"
check "mode 1 keeps the source" test -f "$C/new/qrn.exe"
check "mode 1 schedules no deletion" equals "$(pending_deletions)" ""
check "one window: the updater opened none" equals "$(drive count QRN 'QRN - ' | tr -d '\r')" 1
drive close QRN "QRN - "
drive gone QRN "QRN - " 10000
wineserver -w

printf 'old version' > "$PROG/qrn.exe"
start_in 'C:\new' 'C:\new\qrn.exe' '/@f"C:\new\qrn.exe" /@t"C:\qrn\qrn.exe" /@m2'
updater=$QRN_PID
check "mode 2: the updated program starts" drive wait QRN "QRN - " 30000
wait "$updater"
check "mode 2: the target was replaced" cmp -s "$QRN_EXE" "$PROG/qrn.exe"
check "mode 2 deletes the source (at the next restart, as it was running)" \
    contains "$(pending_deletions)" 'C:\new\qrn.exe'
drive close QRN "QRN - "
drive gone QRN "QRN - " 10000
wineserver -w

start_qrn '/@f"C:\new\gone.exe" /@t"C:\qrn\qrn.exe" /@m1'
check "a failed update says so" drive wait '#32770' 'バージョンアップに失敗しました。' 30000
check "with the error, source and target" contains "$(drive texts '#32770' 'バージョンアップに失敗しました。')" '2:C:\new\gone.exe,C:\qrn\qrn.exe'
drive press '#32770' 'バージョンアップに失敗しました。' '#1'
wait_qrn
check "and the program ends" equals "$?" 0
check "the installed program is untouched" cmp -s "$QRN_EXE" "$PROG/qrn.exe"

# ---------------------------------------------------------------------------
wineserver -k 2>/dev/null
say "e2e: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
