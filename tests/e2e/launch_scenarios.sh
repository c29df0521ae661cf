# Scenarios of opening, executing and the input line; sourced by run_e2e.sh
# after its helpers are defined.
U=$(drive_dir u)
REC='C:\qrn\rec.exe'     # a recorder: logs its command line to C:\qrn\logargs.log
rec_log() { [ ! -f "$PROG/logargs.log" ] || tr -d '\r' < "$PROG/logargs.log"; }
rec_lines() { rec_log | wc -l; }
wait_rec_lines() {  # wait_rec_lines N: until the recorder has logged N lines
    local i
    for i in $(seq 1 150); do [ "$(rec_lines)" -ge "$1" ] && return 0; sleep 0.1; done
    say "  the recorder logged $(rec_lines) lines, not $1"
    return 1
}
launch_folder() {
    fresh_program_folder
    with_speech PCTKUsr.dll
    cp "$DOUBLES/logargs.exe" "$PROG/rec.exe"
    rm -f "$PROG/logargs.log"
}
# ini_becomes SECTION KEY VALUE: qrn.ini holds VALUE there within 5 s (the
# program writes it after the dialog that asked has gone).
ini_becomes() {
    local i
    for i in $(seq 1 50); do [ "$(ini_value "$1" "$2")" == "$3" ] && return 0; sleep 0.1; done
    equals "$(ini_value "$1" "$2")" "$3"
}
dialog_text() { drive gettext '#32770' "$1" '#1033' | tr -d '\r'; }

# ---------------------------------------------------------------------------
scenario "walking the tree"
clear_drive "$U"
mkdir -p "$U/top/mid/a1" "$U/top/mid/leaf" "$U/other"
printf 'x' > "$U/top/mid/leaf/x.txt"
launch_folder
list_ini "Disp_Mode=1"
start_qrn 'U:\top'
drive wait QRN 'QRN - U:\top\*.*' 30000
keys down down enter
check "Enter walks into mid" drive wait QRN 'QRN - U:\top\mid\*.*' 10000
keys down down enter
check "and into leaf" drive wait QRN 'QRN - U:\top\mid\leaf\*.*' 10000
keys enter
check "Enter on .. goes back up" drive wait QRN 'QRN - U:\top\mid\*.*' 10000
check "with the cursor on the directory left" spoken "しょうなりleafだいなり"
keys enter
drive wait QRN 'QRN - U:\top\mid\leaf\*.*' 10000
keys back
check "Backspace goes back up" drive wait QRN 'QRN - U:\top\mid\*.*' 10000
check "with the cursor on the directory left" spoken "しょうなりleafだいなり"
keys backslash
check "backslash goes to the root" drive wait QRN 'QRN - U:\*.*' 10000
check "with the cursor on the first-level directory" spoken "しょうなりtopだいなり"
drive close QRN "QRN - "
wait_qrn

# ---------------------------------------------------------------------------
scenario "opening files by their extension"
clear_drive "$U"
printf 'text' > "$U/a.qtx"
printf 'log' > "$U/b.qlg"
launch_folder
# A program the system knows for .qtx files: the recorder.
wine reg add 'HKCR\.qtx' /ve /d qtxfile /f >/dev/null 2>&1
wine reg add 'HKCR\qtxfile\shell\open\command' /ve /d "$REC \"%1\"" /f >/dev/null 2>&1
list_ini "Disp_Mode=1" "Editor=$REC" "EDIT_LONGNAME=1" "[EXP_EXEC]" "QLG=$REC -v %F"
start_qrn 'U:\'
drive wait QRN 'QRN - U:\*.*' 30000
keys enter
check "a.qtx: the system knows a program: the registration question" drive wait '#32770' 拡張子連動の登録 15000
check "in the program's words" contains "$(drive texts '#32770' 拡張子連動の登録)" "ＱＲＮの拡張子連動として登録しますか？"
drive press '#32770' 拡張子連動の登録 '#6'
drive gone '#32770' 拡張子連動の登録 5000
check "Yes registers the extension as *system" ini_becomes EXP_EXEC QTX '*system'
check "and the system opens the file" wait_rec_lines 1
keys enter
check "once registered, the system opens it without a question" wait_rec_lines 2
check "no question was asked" equals "$(drive count '#32770' 拡張子連動の登録 | tr -d '\r')" 0
rm -f "$PROG/logargs.log"
keys shift+enter
check "Shift+Enter edits with the Editor, the path quoted" wait_rec_lines 1
check "the editor's command line" equals "$(rec_log | sed -n 1p)" "$REC \"U:\\a.qtx\""
keys e
check "E asks for the editor's command line" drive wait '#32770' ファイルの編集 10000
check "offering the editor and the quoted path" equals "$(dialog_text ファイルの編集)" "$REC \"U:\\a.qtx\""
drive settext '#32770' ファイルの編集 '#1033' "$REC edited"
drive press '#32770' ファイルの編集 '#1'
check "the edited line is started" wait_rec_lines 2
check "exactly as edited" equals "$(rec_log | sed -n 2p)" "$REC edited"
keys down enter
check "b.qlg: its EXP_EXEC template is expanded and started" wait_rec_lines 3
check "with the full path" equals "$(rec_log | sed -n 3p)" "$REC -v U:\\b.qlg"
drive close QRN "QRN - "
wait_qrn

# ---------------------------------------------------------------------------
scenario "the input line and its history"
clear_drive "$U"
printf 'x' > "$U/a.txt"
launch_folder
list_ini "Disp_Mode=1"
start_qrn 'U:\'
drive wait QRN 'QRN - U:\*.*' 30000
keys x
check "X asks for a command line" drive wait '#32770' コマンド実行 10000
check "with the cursor file's name" equals "$(dialog_text コマンド実行)" "a.txt"
drive settext '#32770' コマンド実行 '#1033' ""
drive press '#32770' コマンド実行 '#1'
sleep 1
check "an empty line keeps the dialog open" equals "$(drive count '#32770' コマンド実行 | tr -d '\r')" 1
drive settext '#32770' コマンド実行 '#1033' "$REC one"
drive press '#32770' コマンド実行 '#1'
check "the line is started" wait_rec_lines 1
check "as typed" equals "$(rec_log | sed -n 1p)" "$REC one"
check "and kept in the history" equals "$(ini_value 'QRNHISTコマンド実行' 000)" "$REC one"
keys x
drive wait '#32770' コマンド実行 10000
drive settext '#32770' コマンド実行 '#1033' "$REC one"
drive press '#32770' コマンド実行 '#1'
wait_rec_lines 2
check "the same line twice stands twice" equals "$(ini_value 'QRNHISTコマンド実行' 001)" "$REC one"
keys x
drive wait '#32770' コマンド実行 10000
drive settext '#32770' コマンド実行 '#1033' "$REC never"
drive press '#32770' コマンド実行 '#2'
drive gone '#32770' コマンド実行 5000
sleep 1
check "Cancel starts nothing" equals "$(rec_lines)" 2
check "and leaves the history" equals "$(ini_value 'QRNHISTコマンド実行' 002)" ""
keys h
check "H asks for a shell command" drive wait '#32770' 'Shell Command' 10000
drive settext '#32770' 'Shell Command' '#1033' "$REC shell"
drive press '#32770' 'Shell Command' '#1'
check "the shell command is started" wait_rec_lines 3
check "as typed" equals "$(rec_log | sed -n 3p)" "$REC shell"
check "with a history of its own" equals "$(ini_value 'QRNHISTShell Command' 000)" "$REC shell"
keys f
check "F asks for a mask" drive wait '#32770' 'File Find  Input WildCard or FileName' 10000
check "offering the current one" equals "$(dialog_text 'File Find  Input WildCard or FileName')" '*.*'
drive settext '#32770' 'File Find  Input WildCard or FileName' '#1033' '*.log'
drive press '#32770' 'File Find  Input WildCard or FileName' '#1'
check "the mask is taken" drive wait QRN 'QRN - U:\*.log' 10000
drive close QRN "QRN - "
wait_qrn

# ---------------------------------------------------------------------------
scenario "Enter over marked files, stopped by Escape"
clear_drive "$U"
for i in $(seq 0 59); do printf 'x' > "$U/$(printf 'm%03d.txt' "$i")"; done
launch_folder
list_ini "Disp_Mode=1" "[EXP_EXEC]" "TXT=$REC %>"
start_qrn 'U:\'
drive wait QRN 'QRN - U:\*.*' 30000
keys home
keys enter esc
wait_rec_lines 1
# Wait until the walk has ended: the log stops growing.
prev=-1
for i in $(seq 1 60); do n=$(rec_lines); [ "$n" -eq "$prev" ] && break; prev=$n; sleep 0.5; done
say "  files opened before Escape: $(rec_lines) of 60"
check "Escape stopped the walk" test "$(rec_lines)" -lt 60
check "the run began with the first marked file" grep -qxF "$REC m000.txt" <(rec_log)
sleep 1
check "without asking to quit" equals "$(drive count '#32770' 確認 | tr -d '\r')" 0
keys esc
check "the next Escape asks again" drive wait '#32770' 確認 10000
drive press '#32770' 確認 '#2'
drive gone '#32770' 確認 5000
drive close QRN "QRN - "
wait_qrn
