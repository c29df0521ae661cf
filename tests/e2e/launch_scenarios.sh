# Scenarios of opening, executing and the input line.
# shellcheck shell=bash
REC='C:\qrn\rec.exe'     # a recorder: logs its command line to C:\qrn\logargs.log
rec_log() { [ ! -f "$PROG/logargs.log" ] || tr -d '\r' < "$PROG/logargs.log"; }
rec_lines() { rec_log | wc -l; }
rec_line() { rec_log | sed -n "$1p"; }
# recorded N LINE: the recorder has logged N lines (within 15 s), the last of them LINE
recorded() {
    local i
    for i in $(seq 1 150); do [ "$(rec_lines)" -ge "$1" ] && break; sleep 0.1; done
    equals "$(rec_lines)/$(rec_line "$1")" "$1/$2"
}
launch_folder() {
    fresh_program_folder PCTKUsr.dll
    cp "$DOUBLES/logargs.exe" "$PROG/rec.exe"
}

# ---------------------------------------------------------------------------
scenario "opening files by their extension"
clear_drive "$U"
printf 'text' > "$U/a.qtx"
launch_folder
# A program the system knows for .qtx files: the recorder.
wine reg add 'HKCR\.qtx' /ve /d qtxfile /f >/dev/null 2>&1
wine reg add 'HKCR\qtxfile\shell\open\command' /ve /d "$REC \"%1\"" /f >/dev/null 2>&1
list_ini "Disp_Mode=1" "Editor=$REC" "EDIT_LONGNAME=1"
open_at 'U:\' 'U:\*.*'
keys enter
ASSOC=拡張子連動の登録
check "a.qtx: the system knows a program: the registration question" drive wait '#32770' $ASSOC 15000
check "in the program's words" contains "$(ask texts '#32770' $ASSOC)" "ＱＲＮの拡張子連動として登録しますか？"
answer $ASSOC '#6'
check "Yes registers the extension as *system" ini_becomes EXP_EXEC QTX '*system'
check "and the system opens the file" recorded 1 "$REC \"U:\\a.qtx\""
keys shift+enter
check "Shift+Enter edits with the Editor, the path quoted" recorded 2 "$REC \"U:\\a.qtx\""
keys e
check "E asks for the editor's command line" drive wait '#32770' ファイルの編集 10000
check "offering the editor and the quoted path" equals "$(input_text ファイルの編集)" "$REC \"U:\\a.qtx\""
type_line ファイルの編集 "$REC edited" '#1'
check "the edited line is started as edited" recorded 3 "$REC edited"
quit

# ---------------------------------------------------------------------------
scenario "the input line and its history"
clear_drive "$U"
printf 'x' > "$U/a.txt"
launch_folder
list_ini "Disp_Mode=1"
open_at 'U:\' 'U:\*.*'
RUN=コマンド実行
keys x
check "X asks for a command line" drive wait '#32770' $RUN 10000
check "with the cursor file's name" equals "$(input_text $RUN)" "a.txt"
type_line $RUN "$REC one" '#1'
check "the line is started as typed" recorded 1 "$REC one"
check "and kept in the history" ini_becomes "QRNHIST$RUN" 000 "$REC one"
keys h
check "H asks for a shell command" drive wait '#32770' 'Shell Command' 10000
type_line 'Shell Command' "$REC shell" '#1'
check "the shell command is started as typed" recorded 2 "$REC shell"
FIND='File Find  Input WildCard or FileName'
keys f
check "F asks for a mask" drive wait '#32770' "$FIND" 10000
type_line "$FIND" '*.log' '#1'
check "the mask is taken" drive wait QRN 'QRN - U:\*.log' 10000
quit
check "and nothing else was started" equals "$(rec_lines)" 2

# ---------------------------------------------------------------------------
scenario "Enter over marked files, stopped by Escape"
clear_drive "$U"
for i in $(seq 0 59); do printf 'x' > "$U/$(printf 'm%03d.txt' "$i")"; done
launch_folder
list_ini "Disp_Mode=1" "[EXP_EXEC]" "TXT=$REC %>"
open_at 'U:\' 'U:\*.*'
keys home
keys enter esc
check "the run began with the first marked file" becomes "$REC m000.txt" rec_line 1
# Wait until the walk has ended: the log stops growing.
prev=-1
for i in $(seq 1 60); do n=$(rec_lines); [ "$n" -eq "$prev" ] && break; prev=$n; sleep 0.5; done
check "Escape stopped the walk" test "$(rec_lines)" -lt 60
check "without asking to quit" equals "$(dialogs 確認)" 0
keys esc
check "the next Escape asks again" drive wait '#32770' 確認 10000
answer 確認 '#2'
quit

# ---------------------------------------------------------------------------
scenario "registered commands and directories, their dialog, a shortcut"
clear_drive "$U"
mkdir "$U/reg" && printf 'r' > "$U/reg/r.txt"
for f in a b c; do printf '%s' "$f" > "$U/$f.txt"; done
launch_folder
list_ini "Disp_Mode=1" "[EXEC]" "MaxPage=2" "[EXEC_01]" "PageTitle=tools" "A=notepad %F" "B=$REC %F;rec" \
    "[DIREC]" "MaxPage=2" "[DIREC_02]" "A=U:\\reg\\  ;reg"
open_at 'U:\' 'U:\*.*'
keys down  # a.txt, after reg
keys alt+c
check "Alt+C opens the command window on the commands" drive wait 'QRN CmdWindow' '登録コマンド-tools' 10000
check "its title and the first row are spoken" spoken "登録コマンド-tools                          Page:01 notepad %F"
drive keys 'QRN CmdWindow' - b
check "a letter picks its entry and runs it for the cursor file" recorded 1 "$REC U:\\a.txt"
keys space space space z
check "Z opens it too" drive wait 'QRN CmdWindow' '登録コマンド' 10000
drive keys 'QRN CmdWindow' - down
check "the row the selection lands on is spoken" spoken "rec"
drive keys 'QRN CmdWindow' - enter
check "Enter runs it for each marked file, in table order" recorded 4 "$REC U:\\c.txt"
keys t
check "T opens the command window on the directories" drive wait 'QRN CmdWindow' '登録ディレクトリ' 10000
drive keys 'QRN CmdWindow' - pgdn
check "Page Down turns to page 2 and remembers it" ini_becomes DIREC NowPage 2
drive keys 'QRN CmdWindow' - a
check "the picked directory is listed" drive wait QRN "QRN - U:\\reg\\" 10000
keys down down
check "on r.txt" spoken "rぴりおどtxt"
keys ctrl+c
check "Ctrl+C opens the registration dialog with the cursor file" drive wait '#32770' 登録コマンドの設定 10000
check "in Path" equals "$(drive gettext '#32770' 登録コマンドの設定 '#1035' | tr -d '\r')" 'U:\reg\r.txt'
drive press '#32770' 登録コマンドの設定 '#1003'
answer 登録コマンドの設定 '#1'
check "a slot and OK store it as text, two blanks and ;" ini_becomes EXEC_01 C 'U:\reg\r.txt  ;'
keys c
drive wait 'QRN LogDisk' 'File Copy' 10000 && drive keys 'QRN LogDisk' - u enter
drive wait 'QRN Destination' 'File Copy' 10000 && drive keys 'QRN Destination' - t
check "T in the destination window opens the directories" drive wait 'QRN CmdWindow' '登録ディレクトリ' 10000
drive keys 'QRN CmdWindow' - a
check "the picked one becomes the destination" drive wait 'QRN Destination' '=File Copy U:\reg\' 10000
drive keys 'QRN Destination' - esc
check "Escape closes it" drive gone 'QRN Destination' - 10000
keys ctrl+alt+s
check "Ctrl+Alt+S asks where the shortcut goes" drive wait '#32770' ｼｮｰﾄｶｯﾄの作成 10000
check "offering the name without its extension" equals "$(drive gettext '#32770' ｼｮｰﾄｶｯﾄの作成 '#1148' | tr -d '\r')" r
drive settext '#32770' ｼｮｰﾄｶｯﾄの作成 '#1148' 'U:\reg\rlink'
drive keys '#32770' ｼｮｰﾄｶｯﾄの作成 enter  # the system's dialog takes Enter as its Save button
check "the shortcut is made there, .lnk added, pointing at the file" becomes yes \
    bash -c "grep -qa 'r.txt' '$U/reg/rlink.lnk' 2>/dev/null && echo yes"
quit
