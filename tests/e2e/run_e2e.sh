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
# Helpers for the list display: the drives' folders, the spoken-text log of
# the stand-in speech libraries, pixels of a saved client area.
DOUBLES=$BUILD/tests/doubles
PIXELS=$(dirname "$0")/pixels.py
drive_dir() { readlink -f "$WINEPREFIX/dosdevices/$1:"; }
clear_drive() { chmod -R u+w "$1"; find "$1" -mindepth 1 -maxdepth 1 ! -name .windows-label -exec rm -rf {} +; }
speech_log() { iconv -f CP932 -t UTF-8 "$PROG/speech.log" 2>/dev/null; }
last_spoken() { speech_log | tail -n 1 | awk -F '\t' '{ print $NF }'; }
spoken_count() { speech_log | wc -l; }
# The list is repainted (and its cursor row spoken) once the system gets to
# it: wait until the expected text is the last one spoken.
spoken() {
    local i
    for i in $(seq 1 100); do
        [ "$(last_spoken)" == "$1" ] && return 0
        sleep 0.1
    done
    equals "$(last_spoken)" "$1"
}
with_speech() {  # with_speech DLL...: stand-in speech libraries beside qrn.exe
    local d
    for d in "$@"; do cp "$DOUBLES/$d" "$PROG/$d"; done
    rm -f "$PROG/speech.log"
}
shot() { drive shot QRN "QRN - " 'C:\qrn\shot.bmp'; }
# box X Y W H MODE R G B: a pixel check on the last shot
box() { python3 "$PIXELS" "$5" "$PROG/shot.bmp" "$1" "$2" "$3" "$4" "$6" "$7" "$8"; }
pixel_check() { local what=$1; shift; check "$what" box "$@"; }

# ---------------------------------------------------------------------------
scenario "a drive root drawn in its colours, the cursor row spoken"
R=$(drive_dir r)
clear_drive "$R"
mkdir "$R/sub"
printf 'x' > "$R/a.txt"
printf 'xx' > "$R/prog.exe"
printf 'r' > "$R/ro.txt"
chmod a-w "$R/ro.txt"
fresh_program_folder
with_speech PCTKUsr.dll
write_ini "[QRNInit]" "WinBannerMode=0" "Disp_Mode=1" "SORT_TYPE0=2" "Disp_Omoji=3" "ToolBar=0" \
    "FontSize=16" "Font=FixedSys" "FontCharSet=128" \
    "[Color]" "Back_Col_R=0" "Back_Col_G=0" "Back_Col_B=0" "Dir_Col_R=0" "Dir_Col_G=128" "Dir_Col_B=255" \
    "Info_Col_R=255" "Info_Col_G=128" "Info_Col_B=0" "Infd_Col_R=200" "Infd_Col_G=200" "Infd_Col_B=200" \
    "[BIN_COLOR]" "EXE=2"
read -r LH CW <<< "$(drive metrics FixedSys 16 128 | tr -d '\r')"
start_qrn 'R:\'
check "the root of the labelled drive is listed" drive wait QRN 'QRN - R:\*.*' 30000
sleep 1
check "the client area can be saved" shot
check "the status bar shows the free space" contains "$(drive texts QRN 'QRN - ')" ' Free: '
drive close QRN "QRN - "
wait_qrn
Y0=$((LH / 4)); TOP=$((Y0 + 4 * LH)); X0=$((CW / 2)); SEP=$((LH / 2 + Y0 + 3 * LH - 1))
row_y() { echo $((TOP + $1 * LH)); }
# Rows, sorted: the label, the directory, then the files by name, the first
# of them the label file itself, which Wine shows hidden (a dot file). W is 14.
pixel_check "the header label Name: in the label colour" $X0 $Y0 $((5 * CW)) "$LH" has 255 128 0
pixel_check "the header value in the value colour" $((X0 + 5 * CW)) $Y0 $((14 * CW)) "$LH" has 200 200 200
pixel_check "the separator line is white" 0 $SEP 200 1 mostly 255 255 255
pixel_check "the cursor row (the label) is drawn inverse in the label colour" \
    $X0 "$(row_y 0)" $((14 * CW)) "$LH" mostly 255 255 0
pixel_check "the directory row in the directory colour" $X0 "$(row_y 1)" $((14 * CW)) "$LH" has 0 128 255
pixel_check "a hidden file in the hidden colour" $X0 "$(row_y 2)" $((16 * CW)) "$LH" has 192 192 192
pixel_check "an ordinary file in the ordinary colour" $X0 "$(row_y 3)" $((14 * CW)) "$LH" has 255 255 255
pixel_check "the extension of prog.exe in its BIN_COLOR colour" \
    $((X0 + 12 * CW)) "$(row_y 4)" $((3 * CW)) "$LH" has 255 0 0
pixel_check "but not its name" $X0 "$(row_y 4)" $((11 * CW)) "$LH" none 255 0 0
pixel_check "a read-only file in the read-only colour" $X0 "$(row_y 5)" $((16 * CW)) "$LH" has 0 255 0
pixel_check "nothing below the last row" $X0 "$(row_y 6)" $((16 * CW)) "$LH" none 255 255 255
check "the cursor row was spoken through the reader library" \
    equals "$(speech_log | head -n 1)" "$(printf 'PCTKPRead\t1\t1\tしょうなりQRNTESTだいなり')"
check "and only that row" equals "$(speech_log | sort -u | wc -l)" 1
chmod u+w "$R/ro.txt"

# ---------------------------------------------------------------------------
scenario "sorting by each key in both directions"
U=$(drive_dir u)
clear_drive "$U"
mk() {  # mk NAME SIZE DATE
    head -c "$2" /dev/zero > "$U/$1"
    touch -d "$3" "$U/$1"
}
mk aaa.mmm 50 2001-01-01T10:00:00
mk zzz.mmm 50 2001-01-01T10:00:00
mk mmm1.aaa 50 2001-01-01T10:00:00
mk mmm2.zzz 50 2001-01-01T10:00:00
mk mmm3.mmm 50 1990-05-05T10:00:00
mk mmm4.mmm 50 2020-05-05T10:00:00
mk mmm5.mmm 1 2001-01-01T10:00:00
mk mmm6.mmm 1000 2001-01-01T10:00:00
fresh_program_folder
with_speech PCTKUsr.dll
write_ini "[QRNInit]" "WinBannerMode=0" "Disp_Mode=1" "SORT_TYPE0=2" "Disp_Omoji=3"
start_qrn 'U:\'
drive wait QRN 'QRN - U:\*.*' 30000
sleep 0.5
check "auto-sort by name puts aaa.mmm first" spoken "aaaぴりおどmmm"
sort_by() {  # sort_by KEY-ID ORDER-ID: through the dialog opened by the S key
    drive keys QRN "QRN - " s
    drive wait '#32770' ソート条件の入力 10000 || return 1
    drive press '#32770' ソート条件の入力 "#$1"
    drive press '#32770' ソート条件の入力 "#$2"
    drive press '#32770' ソート条件の入力 OK
    drive gone '#32770' ソート条件の入力 10000
    sleep 0.5
}
for spec in "1094 1098 aaaぴりおどmmm name ascending" "1094 1099 zzzぴりおどmmm name descending" \
            "1095 1098 mmm1ぴりおどaaa extension ascending" "1095 1099 mmm2ぴりおどzzz extension descending" \
            "1096 1098 mmm3ぴりおどmmm date ascending" "1096 1099 mmm4ぴりおどmmm date descending" \
            "1097 1098 mmm5ぴりおどmmm size ascending" "1097 1099 mmm6ぴりおどmmm size descending"; do
    read -r key order first what <<< "$spec"
    sort_by "$key" "$order"
    check "sorted by $what: the cursor is on the first row, $first" spoken "$first"
done
check "the title stays on the directory" equals "$(main_title)" 'QRN - U:\*.*'

# The dialog shows what is in force, and stores defaults only on request.
drive keys QRN "QRN - " s
drive wait '#32770' ソート条件の入力 10000
check "the dialog shows the size key" equals "$(drive checked '#32770' ソート条件の入力 '#1097' | tr -d '\r')" 1
check "and the descending order" equals "$(drive checked '#32770' ソート条件の入力 '#1099' | tr -d '\r')" 1
check "and auto-sort on" equals "$(drive checked '#32770' ソート条件の入力 '#1024' | tr -d '\r')" 1
check "the dialog texts" contains "$(drive texts '#32770' ソート条件の入力)" "ﾃﾞﾌｫﾙﾄ登録(&W)"
drive press '#32770' ソート条件の入力 '#1096'
drive press '#32770' ソート条件の入力 '#1098'
drive press '#32770' ソート条件の入力 '#1024'
drive press '#32770' ソート条件の入力 '#1001'
sleep 0.5
check "the defaults are stored" equals "$(ini_value QRNInit SORT_TYPE0)/$(ini_value QRNInit SORT_TYPE1)/$(ini_value QRNInit SORT_TYPE2)" "1/1/3"
check "the dialog stays open" drive wait '#32770' ソート条件の入力 1000
drive press '#32770' ソート条件の入力 Cancel
drive gone '#32770' ソート条件の入力 10000
sleep 0.5
sleep 1
check "neither the defaults button nor Cancel sorted the list" equals "$(last_spoken)" "mmm6ぴりおどmmm"
drive close QRN "QRN - "
wait_qrn
check "auto-sort off from the defaults: a later start keeps the stored choice" equals "$(ini_value QRNInit SORT_TYPE0)" 1

# ---------------------------------------------------------------------------
scenario "a mask hides files but never directories"
clear_drive "$U"
printf 'a' > "$U/a.dat"
printf 'b' > "$U/b.txt"
fresh_program_folder
with_speech PCTKUsr.dll
write_ini "[QRNInit]" "WinBannerMode=0" "Disp_Mode=1" "SORT_TYPE0=2" "Disp_Omoji=3" 'GetPath=U:\'
start_qrn '/m*.txt'
drive wait QRN 'QRN - U:\*.txt' 30000
sleep 0.5
check "a.dat is hidden by *.txt" spoken "bぴりおどtxt"
drive close QRN "QRN - "
wait_qrn
start_qrn '/mB.TXT'
drive wait QRN 'QRN - U:\B.TXT' 30000
sleep 0.5
check "masks ignore case" spoken "bぴりおどtxt"
drive close QRN "QRN - "
wait_qrn
mkdir "$U/zdir"
start_qrn '/m*.txt'
drive wait QRN 'QRN - U:\*.txt' 30000
sleep 0.5
check "a directory stays whatever the mask" spoken "しょうなりzdirだいなり"
printf 'c' > "$U/c.txt"
sort_by 1094 1099
sleep 1
check "descending keeps directories first" equals "$(last_spoken)" "しょうなりzdirだいなり"
drive close QRN "QRN - "
wait_qrn

# ---------------------------------------------------------------------------
scenario "speech through a running screen reader"
clear_drive "$U"
printf 'a' > "$U/a.txt"
printf 'b' > "$U/b.txt"
fresh_program_folder
with_speech SOUNDP.DLL PCTKUsr.dll
write_ini "[QRNInit]" "WinBannerMode=0" "Disp_Mode=2" "SORT_TYPE0=2" "Disp_Omoji=3"
wine "$DOUBLES/reader_window.exe" 95Reader &
reader=$!
drive wait 95Reader - 10000
start_qrn 'U:\'
drive wait QRN 'QRN - U:\*.*' 30000
sleep 0.5
check "the reader's library is used, in normal mode" \
    equals "$(speech_log | head -n 1 | cut -f 1,2)" "$(printf 'SoundMessage\t128')"
# Runs of one character are read as three at most.
check "with size and attributes after the name" spoken "aぴりおどtxt   1 A___"
check "the other library is not used" equals "$(speech_log | grep -c PCTKPRead)" 0
# The reader goes away: its library answers 0 once, and speech stays off.
touch "$PROG/soundp.off"
sort_by 1094 1099
check "the reader's library was asked once more" spoken "bぴりおどtxt   1 A___"
before=$(spoken_count)
rm -f "$PROG/soundp.off"
sort_by 1094 1098
sleep 2
check "after a zero answer nothing is spoken any more" equals "$(spoken_count)" "$before"
drive close QRN "QRN - "
wait_qrn
drive close 95Reader -
wait "$reader"

# ---------------------------------------------------------------------------
wineserver -k 2>/dev/null
say "e2e: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
