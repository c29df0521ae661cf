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
# becomes EXPECTED COMMAND...: waits (at most 10 s) until the command prints EXPECTED.
becomes() {
    local want=$1 i
    shift
    for i in $(seq 1 100); do
        [ "$("$@")" == "$want" ] && return 0
        sleep 0.1
    done
    equals "$("$@")" "$want"
}
spoken() { becomes "$1" last_spoken; }
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
# The list driven by keys and the mouse. Files f001.txt ... are listed on U:,
# one column of one layout (Disp_Mode 5), so a page holds one column.
list_ini() {
    write_ini "[QRNInit]" "WinBannerMode=0" "SORT_TYPE0=2" "Disp_Omoji=3" "ToolBar=0" \
        "FontSize=16" "Font=FixedSys" "FontCharSet=128" "$@"
}
fname() { printf 'f%03dぴりおどtxt' "$1"; }           # spoken name of f<N>.txt
marked() { printf 'あすたりすくf%03dぴりおどtxt' "$1"; }
index_of() { local t; t=$(last_spoken); t=${t#あすたりすく}; t=${t#f}; echo $((10#${t%%ぴ*})); }
make_files() {  # make_files N: f000.txt .. f<N-1>.txt on U:
    clear_drive "$U"
    local i
    for i in $(seq 0 $(($1 - 1))); do printf 'x' > "$U/$(printf 'f%03d.txt' "$i")"; done
}
keys() { drive keys QRN "QRN - " "$@"; }

scenario "cursor keys, pages and scroll modes"
make_files 100
fresh_program_folder
with_speech PCTKUsr.dll
list_ini "Disp_Mode=5" "SCROLLMODE=0"
start_qrn 'U:\'
drive wait QRN 'QRN - U:\*.*' 30000
check "the first row is spoken at start" spoken "$(fname 0)"
keys down
check "Down moves one row" spoken "$(fname 1)"
keys down down up
check "Up moves back" spoken "$(fname 2)"
keys up up up
wrapped() { local i; for i in $(seq 1 50); do [ "$(index_of)" -gt 2 ] && return 0; sleep 0.1; done; return 1; }
check "Up from the first row of the page wraps to its last (scroll mode 0)" wrapped
R=$(( $(index_of) + 1 ))
keys down
check "Down from the last row wraps to the first" spoken "$(fname 0)"
keys pgdn
check "Page Down shows the next page, cursor on its first row" spoken "$(fname "$R")"
keys up
check "scroll mode 0 wraps within page 2" spoken "$(fname $((2 * R - 1)))"
keys pgup
check "Page Up: the previous page" spoken "$(fname 0)"
keys pgup
sleep 0.5
check "Page Up on page 1 does nothing" spoken "$(fname 0)"
keys shift+right
check "Shift+Right is Page Down" spoken "$(fname "$R")"
keys shift+pgdn
check "Shift+Page Down: the last page" spoken "$(fname $(( (99 / R) * R )))"
keys shift+left
check "Shift+Left is Page Up (not Shift+Page Up)" spoken "$(fname $(( (99 / R - 1) * R )))"
drive close QRN "QRN - "
wait_qrn

list_ini "Disp_Mode=5" "SCROLLMODE=1"
start_qrn 'U:\'
drive wait QRN 'QRN - U:\*.*' 30000
check "scroll mode 1: start" spoken "$(fname 0)"
keys up
sleep 0.5
check "scroll mode 1: Up on the first row of page 1 does nothing" spoken "$(fname 0)"
keys pgdn up
check "scroll mode 1: Up from a page's first row shows the previous page's last" spoken "$(fname $((R - 1)))"
keys down
check "scroll mode 1: Down from the last row shows the next page" spoken "$(fname "$R")"
drive close QRN "QRN - "
wait_qrn

# ---------------------------------------------------------------------------
scenario "marking from the keyboard"
make_files 5
mkdir "$U/dir"
fresh_program_folder
with_speech PCTKUsr.dll
list_ini "Disp_Mode=1"
start_qrn 'U:\'
drive wait QRN 'QRN - U:\*.*' 30000
check "the directory comes first" spoken "しょうなりdirだいなり"
keys down space
check "Space marks and moves down" spoken "$(fname 1)"
keys up
check "the marked row is read with its mark" spoken "$(marked 0)"
keys home
check "Home with a mark clears all marks" spoken "$(fname 0)"
keys home
check "Home without marks marks every file" spoken "$(marked 0)"
keys up
check "but not the directory" spoken "しょうなりdirだいなり"
keys home ctrl+home
check "Ctrl+Home marks directories too" spoken "あすたりすくdirだいなり"
drive close QRN "QRN - "
wait_qrn

# ---------------------------------------------------------------------------
scenario "drive digits"
G=$WINEPREFIX/dosdevices/g:
ln -sfn "$U" "$G"
make_files 3
mkdir -p "$U/sub"
fresh_program_folder
list_ini "[SET_DIR]" 'SET1=U:\sub\' 'SET3=G:\'
start_qrn 'C:\'
drive wait QRN 'QRN - C:\*.*' 30000
keys comma
check "comma opens the first one-key directory" drive wait QRN 'QRN - U:\sub\*.*' 10000
keys slash
check "slash the third" drive wait QRN 'QRN - G:\*.*' 10000
keys 3
drive wait QRN 'QRN - C:\*.*' 10000
keys 7
check "the digit 7 opens drive G:" drive wait QRN 'QRN - G:\*.*' 10000
keys 0
sleep 1
check "0 is drive J:, which does not exist: nothing changes" equals "$(main_title)" 'QRN - G:\*.*'
keys 3
check "3 is drive C:, at its current directory" drive wait QRN 'QRN - C:\*.*' 10000
drive close QRN "QRN - "
wait_qrn
rm -f "$G"

# ---------------------------------------------------------------------------
scenario "the mouse on the list"
make_files 8
printf 'x' > "$U/pack.lzh"
fresh_program_folder
with_speech PCTKUsr.dll
list_ini "Disp_Mode=1"
read -r LH CW <<< "$(drive metrics FixedSys 16 128 | tr -d '\r')"
Y0=$((LH / 4)); TOP=$((Y0 + 4 * LH)); X0=$((CW / 2))
row_point() { echo "$((X0 + 3 * CW)) $((TOP + $1 * LH + LH / 2))"; }
start_qrn 'U:\'
drive wait QRN 'QRN - U:\*.*' 30000
check "start" spoken "$(fname 0)"
# shellcheck disable=SC2046
drive click QRN "QRN - " $(row_point 3)
check "a click moves the cursor" spoken "$(fname 3)"
drive click QRN "QRN - " $(row_point 5) ctrl
check "Ctrl+click marks the clicked row" spoken "$(marked 5)"
drive click QRN "QRN - " $(row_point 5) ctrl
sleep 0.5
check "a second Ctrl+click does not unmark" spoken "$(marked 5)"
drive click QRN "QRN - " $(row_point 1) shift
check "Shift+click marks the range" spoken "$(marked 1)"
keys down
check "rows between are marked" spoken "$(marked 2)"
keys down down down
check "up to the old cursor" spoken "$(marked 5)"
keys down
check "and no further" spoken "$(fname 6)"
drive click QRN "QRN - " 100 $((TOP + 40 * LH))
sleep 0.5
check "a click behind the last row changes nothing" spoken "$(fname 6)"

# The popup menu: three kinds, told apart by their number of items.
popup_height() {
    drive wait '#32768' - 5000 || { echo 0; return; }
    local h
    h=$(drive rect '#32768' - | tr -d '\r' | awk '{ print $4 }')
    drive keys '#32768' - esc
    drive gone '#32768' - 5000
    echo "$h"
}
drive click QRN "QRN - " $(row_point 2) right
file_menu=$(popup_height)
check "a right-click on a file moves the cursor there" spoken "$(marked 2)"
drive click QRN "QRN - " $(row_point 8) right
archive_menu=$(popup_height)
drive click QRN "QRN - " 100 $((Y0 + LH / 2)) right
info_menu=$(popup_height)
check "a popup menu opens on the information lines" test "$info_menu" -gt 0
# From the keyboard the menu is the cursor row's, wherever the mouse last was.
keys apps
key_menu=$(popup_height)
check "the menu key opens the cursor row's menu (an archive's)" equals "$key_menu" "$archive_menu"
check "without moving the cursor" spoken "packぴりおどlzh"
check "it is the short one" test "$info_menu" -lt "$archive_menu"
check "an archive gets the archive menu, shorter than the file menu" test "$archive_menu" -lt "$file_menu"
check "the Escape that closed the menus did not ask to quit" equals "$(drive count '#32770' 確認 | tr -d '\r')" 0
drive close QRN "QRN - "
wait_qrn

# ---------------------------------------------------------------------------
scenario "changes by another program"
clear_drive "$U"
printf 'b' > "$U/b.txt"
printf 'c' > "$U/c.txt"
fresh_program_folder
with_speech PCTKUsr.dll
list_ini "Disp_Mode=1"
start_qrn 'U:\'
drive wait QRN 'QRN - U:\*.*' 30000
check "start" spoken "bぴりおどtxt"
printf 'a' > "$U/a.txt"
drive click QRN "QRN - " 5 5
check "a file made by another program appears" spoken "aぴりおどtxt"
keys space
check "marked" spoken "bぴりおどtxt"
printf '0' > "$U/0.txt"
drive click QRN "QRN - " 5 5
sleep 1
keys up
check "while something is marked the list is not read again" spoken "あすたりすくaぴりおどtxt"
keys space
drive click QRN "QRN - " 5 5
check "once the marks are gone the change is taken over" spoken "aぴりおどtxt"
drive close QRN "QRN - "
wait_qrn

# ---------------------------------------------------------------------------
scenario "commands from other programs and window sizes"
fresh_program_folder
with_speech PCTKUsr.dll
list_ini "Disp_Mode=1" 'GetPath=U:\'
start_qrn '/m*.txt'
drive wait QRN 'QRN - ' 30000
list_ini "Disp_Mode=2" 'GetPath=U:\'
drive command QRN "QRN - " 40061
check "settings reloaded on command 40061 from another program" spoken "0ぴりおどtxt   1 A___"
keys tab
check "Tab resets the mask" drive wait QRN '\*.*' 10000
drive resize QRN "QRN - " 100 100
sleep 1
drive command QRN "QRN - " 40061
sleep 1
read -r cw ch <<< "$(drive clientsize QRN "QRN - " | tr -d '\r')"
say "  client area after shrinking: $cw x $ch"
check "the client area is at least 180 wide" test "$cw" -ge 180
check "and at least 200 high" test "$ch" -ge 200
keys ctrl+n
drive command QRN "QRN - " 40056
sleep 0.5
check "maximise" equals "$(drive state QRN 'QRN - ' | tr -d '\r')" maximised
keys ctrl+n
sleep 0.5
check "Ctrl+N: normal size" equals "$(drive state QRN 'QRN - ' | tr -d '\r')" normal
drive close QRN "QRN - "
wait_qrn

# ---------------------------------------------------------------------------
scenario "a window closed maximised starts maximised"
main_state() { drive state QRN 'QRN - ' | tr -d '\r'; }
fresh_program_folder
write_ini "[QRNInit]" "WinBannerMode=0" 'GetPath=U:\'
start_qrn
drive wait QRN 'QRN - ' 30000
drive command QRN "QRN - " 40056
check "maximised by its command" becomes maximised main_state
drive close QRN "QRN - "
wait_qrn
check "closing maximised stores WinSizeIsMax=1" equals "$(ini_value QRNInit WinSizeIsMax)" 1
start_qrn
drive wait QRN 'QRN - ' 30000
check "the next start shows it maximised" becomes maximised main_state
drive close QRN "QRN - "
wait_qrn
check "and that exit keeps WinSizeIsMax=1" equals "$(ini_value QRNInit WinSizeIsMax)" 1

# ---------------------------------------------------------------------------
scenario "companion programs"
clear_drive "$U"
printf 'x' > "$U/a.lzh"
fresh_program_folder
list_ini
start_qrn 'U:\'
drive wait QRN 'QRN - U:\*.*' 30000
keys ctrl+h
check "a missing customizer is reported" drive wait '#32770' 確認 10000
check "in the program's words" contains "$(drive texts '#32770' 確認)" "QRNカスタマイザーの起動に失敗しました。"
drive press '#32770' 確認 OK
drive gone '#32770' 確認 5000
keys ctrl+l
check "a missing archive viewer is reported" drive wait '#32770' 確認 10000
check "in the program's words" contains "$(drive texts '#32770' 確認)" "ArcScope の起動に失敗しました。"
drive press '#32770' 確認 OK
drive gone '#32770' 確認 5000
cp "$DOUBLES/logargs.exe" "$PROG/qrn_cust.exe"
cp "$DOUBLES/logargs.exe" "$PROG/ArcScope.exe"
keys ctrl+h
keys ctrl+l
for i in $(seq 1 50); do [ "$(wc -l < "$PROG/logargs.log" 2>/dev/null || echo 0)" -ge 2 ] && break; sleep 0.1; done
check "the customizer gets the window handle" grep -qE '^C:\\qrn\\qrn_cust\.exe /W[0-9a-f]+\r?$' "$PROG/logargs.log"
check "the archive viewer gets the cursor entry" grep -qF 'C:\qrn\ArcScope.exe "-W" "U:\a.lzh"' "$PROG/logargs.log"
drive close QRN "QRN - "
wait_qrn

# shellcheck source=launch_scenarios.sh
source "$(dirname "$0")/launch_scenarios.sh"

# ---------------------------------------------------------------------------
wineserver -k 2>/dev/null
say "e2e: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
