# Scenarios of starting, quitting, the settings file and update mode.
# shellcheck shell=bash
# ---------------------------------------------------------------------------
scenario "first start without qrn.ini; start directories and masks on the command line; quitting by key"
fresh_program_folder
open_at "" 'C:\qrn\*.*' "the main window lists the program folder"
check "the start banner is gone after the first paint" equals "$(dialogs QRN)" 0
quit
check "closing ends the program with code 0" equals "$?" 0
ini_table <<'EOF'
width|QRNInit|init_x_siz|600
height|QRNInit|init_y_siz|350
per-drive directory of C:|QRN_CurDir|C:|C:\qrn\
no entry for the CD-ROM drive|QRN_CurDir|T:|
no entry for the drive that is not ready|QRN_CurDir|S:|
GetPath is not written with SaveMode 0|QRNInit|GetPath|
EOF
mkdir -p "$C/data" "$C/ソフト"
write_ini "[QRNInit]" "SaveMode=1" "MenuMode=1"
open_at 'C:\ソフト' 'C:\ソフト\*.*' "a directory whose trail byte is a backslash, shown with a backslash added"
keys q
wait_qrn
check "Q saves it byte for byte" equals "$(ini_value QRN_CurDir C:)" 'C:\ソフト\'
check "and with SaveMode 1 writes GetPath" equals "$(ini_value QRNInit GetPath)" 'C:\ソフト\'
write_ini "[QRNInit]" 'GetPath=C:\data\' "WinBannerMode=0"
open_at 'C:\ignored /m*.txt' 'C:\data\*.txt' "a mask is taken, the directory comes from GetPath"
keys back
check "Backspace: the parent" drive wait QRN 'QRN - C:\*.txt' 10000
keys shift+q
wait_qrn
check "the mask is saved" equals "$(ini_value QRNInit Mask)" '*.txt'
check "Shift+Q writes GetPath whatever SaveMode says" equals "$(ini_value QRNInit GetPath)" 'C:\'
open_at "" 'C:\*.txt' "the next start opens the saved directory"
keys esc
check "Escape asks first" drive wait '#32770' 確認 10000
check "the question" contains "$(ask texts '#32770' 確認)" "終了しますか？"
answer 確認 '#2'
check "Cancel keeps the program running" equals "$(ask count QRN 'QRN - ')" 1
keys esc
drive wait '#32770' 確認 10000
drive press '#32770' 確認 '#1'
wait_qrn
check "OK ends it" equals "$?" 0

# ---------------------------------------------------------------------------
scenario "update mode"
SESSION='HKLM\System\CurrentControlSet\Control\Session Manager'
pending_deletions() { wine reg query "$SESSION" /v PendingFileRenameOperations 2>/dev/null | tr -d '\r' | grep PendingFileRenameOperations; }
wine reg delete "$SESSION" /v PendingFileRenameOperations /f >/dev/null 2>&1
fresh_program_folder
mkdir -p "$C/new"
cp "$QRN_EXE" "$C/new/qrn.exe"
write_ini "[QRNInit]" "WinBannerMode=0"
printf 'old version' > "$PROG/qrn.exe"
start_in 'C:\new' 'C:\new\qrn.exe' '/@f"C:\new\qrn.exe" /@t"C:\qrn\qrn.exe" /@m2'
updater=$QRN_PID
check "the updated program starts" drive wait QRN "QRN - " 30000
wait "$updater"
check "the updater ends with code 0" equals "$?" 0
check "the target was replaced" cmp -s "$QRN_EXE" "$PROG/qrn.exe"
check "one window: the updater opened none" equals "$(ask count QRN 'QRN - ')" 1
# Mode 2 moves: the source is the running updater itself, so its deletion is
# left to the system's next restart (which the next Wine session is).
check "mode 2 deletes the source at the next restart" contains "$(pending_deletions)" 'C:\new\qrn.exe'
drive close QRN "QRN - "
drive gone QRN "QRN - " 10000
wineserver -w
start_qrn '/@f"C:\new\gone.exe" /@t"C:\qrn\qrn.exe" /@m1'
FAILED='バージョンアップに失敗しました。'
check "a failed update says so" drive wait '#32770' "$FAILED" 30000
check "with the error, source and target" contains "$(ask texts '#32770' "$FAILED")" '2:C:\new\gone.exe,C:\qrn\qrn.exe'
drive press '#32770' "$FAILED" '#1'
wait_qrn
check "and the program ends" equals "$?" 0

