#!/bin/bash
# End-to-end scenarios: the real qrn.exe under Wine on an X display, driven
# through qrndrive.exe (window texts, buttons, keys through the input queue).
# Expects the environment of scripts/wine_env.sh with a fresh WINEPREFIX and
# DISPLAY set.   usage: run_e2e.sh WIN32_BUILD_DIR
set -u
BUILD=$(cd "$1" && pwd)
HERE=$(dirname "$0")
DRIVER=$BUILD/tests/e2e/qrndrive.exe
DOUBLES=$BUILD/tests/doubles
QRN_EXE=$BUILD/qrn.exe
C=$WINEPREFIX/drive_c
PROG=$C/qrn            # the program folder, C:\qrn
failures=0 passes=0 current="" QRN_PID=""

drive() { wine "$DRIVER" "$@"; }
ask() { drive "$@" | tr -d '\r'; }                 # a query's answer
say() { printf '%s\n' "$*"; }
scenario() { current=$1; say "-- $1"; }
check() {  # check DESCRIPTION COMMAND...
    local what=$1; shift
    if "$@"; then passes=$((passes + 1)); else failures=$((failures + 1)); say "FAIL [$current] $what"; fi
}
equals() { [ "$1" == "$2" ] || { say "  expected: $2"; say "  actual:   $1"; return 1; }; }
contains() { [[ "$1" == *"$2"* ]] || { say "  expected to contain: $2"; say "  actual: $1"; return 1; }; }
# becomes EXPECTED COMMAND...: waits (at most 10 s) until the command prints EXPECTED.
becomes() {
    local want=$1 i; shift
    for i in $(seq 1 100); do [ "$("$@")" == "$want" ] && return 0; sleep 0.1; done
    equals "$("$@")" "$want"
}

# qrn.ini as UTF-8 without carriage returns; ini_value SECTION KEY
ini_text() { iconv -f CP932 -t UTF-8 "$PROG/qrn.ini" 2>/dev/null | tr -d '\r'; }
ini_value() {
    ini_text | awk -v s="[$1]" -v k="$2" '
        /^\[/ { in_s = ($0 == s); next }
        in_s && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }'
}
ini_becomes() { becomes "$3" ini_value "$1" "$2"; }   # ini_becomes SECTION KEY VALUE
# ini_table: lines "DESCRIPTION|SECTION|KEY|VALUE" on stdin, each a check
ini_table() { local w s k v; while IFS='|' read -r w s k v; do check "$w" equals "$(ini_value "$s" "$k")" "$v"; done; }
# write_ini LINES... (UTF-8 text, stored as Shift-JIS with CRLF)
write_ini() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 > "$PROG/qrn.ini"; }
list_ini() {
    write_ini "[QRNInit]" "WinBannerMode=0" "SORT_TYPE0=2" "Disp_Omoji=3" "ToolBar=0" \
        "FontSize=16" "Font=FixedSys" "FontCharSet=128" "$@"
}
fresh_program_folder() {  # fresh_program_folder [SPEECH-DLL...]
    rm -rf "$PROG" && mkdir -p "$PROG" && cp "$QRN_EXE" "$PROG/qrn.exe"
    local d; for d in "$@"; do cp "$DOUBLES/$d" "$PROG/$d"; done
}

# start_in WINDIR WINPROGRAM ARGS: starts a program in the background with
# exactly ARGS as its command-line arguments (no quoting added on the way).
start_in() { (QRN_ARGS=$3 exec wine "$DRIVER" exec "$1" "$2") & QRN_PID=$!; }
start_qrn() { start_in 'C:\qrn' 'C:\qrn\qrn.exe' "${1:-}"; }
# Waits for the started program to end (at most 20 s); its exit code in $?.
wait_qrn() {
    local i
    for i in $(seq 1 200); do kill -0 "$QRN_PID" 2>/dev/null || { wait "$QRN_PID"; return $?; }; sleep 0.1; done
    say "  the program did not end"; kill "$QRN_PID" 2>/dev/null; return 124
}
# open_at ARGS TITLE [DESCRIPTION]: starts qrn.exe and waits for "QRN - TITLE"
open_at() { start_qrn "$1"; check "${3:-the window opens on $2}" drive wait QRN "QRN - $2" 30000; }
quit() { drive close QRN "QRN - "; wait_qrn; }
keys() { drive keys QRN "QRN - " "$@"; }
main_title() { ask title QRN "QRN - "; }
main_state() { ask state QRN "QRN - "; }
dialogs() { ask count '#32770' "$1"; }             # dialogs TITLE|-: how many are open
answer() { drive press '#32770' "$1" "$2"; drive gone '#32770' "$1" 10000; }   # answer TITLE BUTTON

# The spoken-text log of the stand-in speech libraries.
speech_log() { iconv -f CP932 -t UTF-8 "$PROG/speech.log" 2>/dev/null; }
last_spoken() { speech_log | tail -n 1 | awk -F '\t' '{ print $NF }'; }
spoken_count() { speech_log | wc -l; }
spoken() { becomes "$1" last_spoken; }
# settled ROW: Down and Up, and the list speaks ROW again; as keys are taken
# in order, whatever was sent before them has been handled by then.
settled() {
    local n i; n=$(spoken_count)
    keys down up
    for i in $(seq 1 100); do [ "$(spoken_count)" -ge $((n + 2)) ] && [ "$(last_spoken)" == "$1" ] && return 0; sleep 0.1; done
    equals "$(last_spoken)" "$1"
}

# ---------------------------------------------------------------------------
scenario "first start without qrn.ini"
fresh_program_folder
open_at "" 'C:\qrn\*.*' "the main window lists the program folder"
check "the start banner is gone after the first paint" equals "$(dialogs QRN)" 0
quit
check "closing ends the program with code 0" equals "$?" 0
ini_table <<'EOF'
width|QRNInit|init_x_siz|600
height|QRNInit|init_y_siz|350
left|QRNInit|init_x_pos|0
top|QRNInit|init_y_pos|0
mask|QRNInit|Mask|*.*
not maximised|QRNInit|WinSizeIsMax|0
per-drive directory of C:|QRN_CurDir|C:|C:\qrn\
no entry for the CD-ROM drive|QRN_CurDir|T:|
no entry for the drive that is not ready|QRN_CurDir|S:|
GetPath is not written with SaveMode 0|QRNInit|GetPath|
EOF

# ---------------------------------------------------------------------------
scenario "start directories and masks on the command line"
fresh_program_folder
mkdir -p "$C/data" "$C/ソフト"
long="C:\\$(printf 'x%.0s' $(seq 1 300))"
while IFS='|' read -r args title saved what; do
    [ "$args" == LONG ] && args=$long
    open_at "$args" "$title" "$what"
    if [ -z "$saved" ]; then quit; else keys q; wait_qrn; fi
    [ -z "$saved" ] || check "$what: saved byte for byte" equals "$(ini_value QRN_CurDir C:)" "$saved"
done <<'EOF'
C:\data|C:\data\*.*|C:\data\|a directory, shown with a backslash added
C:\ソフト|C:\ソフト\*.*|C:\ソフト\|a Shift-JIS name whose trail byte is a backslash
"C:\data|C:\data\*.*||an unbalanced quote is dropped
C:\no such folder\deeper|C:\*.*||a directory that does not exist falls back to its root
LONG|C:\qrn\*.*||an overlong start directory starts where the settings say
EOF
write_ini "[QRNInit]" 'GetPath=C:\data\' "WinBannerMode=0"
open_at 'C:\ignored /m*.txt' 'C:\data\*.txt' "a mask is taken, the directory comes from GetPath"
quit
check "the mask is saved" equals "$(ini_value QRNInit Mask)" '*.txt'
open_at '/m"*.c" trailing' 'C:\data\*.c' "a quoted mask ends at its quote"
check "no message on the way" equals "$(dialogs -)" 0
quit

# ---------------------------------------------------------------------------
scenario "quitting by key"
fresh_program_folder
write_ini "[QRNInit]" "SaveMode=1" "MenuMode=1"
open_at 'C:\data' 'C:\data\*.*'
keys q
wait_qrn
check "Q with SaveMode 1 writes GetPath" equals "$(ini_value QRNInit GetPath)" 'C:\data\'
write_ini "[QRNInit]" "SaveMode=0"
open_at 'C:\ソフト' 'C:\ソフト\*.*'
keys shift+q
wait_qrn
check "Shift+Q writes GetPath whatever SaveMode says" equals "$(ini_value QRNInit GetPath)" 'C:\ソフト\'
open_at "" 'C:\ソフト\*.*' "the next start opens the saved directory"
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
scenario "settings that are broken or extreme"
fresh_program_folder
printf '%s\r\n' "garbage ===" "[QRNInit" "[QRNInit]" "init_x_siz=999999999" "init_y_siz=-5" \
    "init_x_pos=-99999" "FontSize=abc" "Disp_Mode=-7" "Mask=$(printf '*%.0s' $(seq 1 80))" \
    "GetPath=S:\\" "[Color]" "Back_Col_R=9999" "[QRNInit]" "SaveMode=1" > "$PROG/qrn.ini"
open_at "" 'C:\qrn\' "a drive that is not ready at the first read falls back to the program folder"
check "silently" equals "$(dialogs -)" 0
quit
check "ends normally" equals "$?" 0
check "the stored size is usable again" equals "$(ini_value QRNInit init_x_siz)" 600

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
check "the installed program is untouched" cmp -s "$QRN_EXE" "$PROG/qrn.exe"

# ---------------------------------------------------------------------------
# The list display: the drives' folders, pixels of a saved client area.
drive_dir() { readlink -f "$WINEPREFIX/dosdevices/$1:"; }
clear_drive() { chmod -R u+w "$1"; find "$1" -mindepth 1 -maxdepth 1 ! -name .windows-label -exec rm -rf {} +; }
U=$(drive_dir u)
read -r LH CW <<< "$(ask metrics FixedSys 16 128)"
Y0=$((LH / 4)) TOP=$((LH / 4 + 4 * LH)) X0=$((CW / 2))

scenario "a drive root drawn in its colours, the cursor row spoken"
R=$(drive_dir r)
clear_drive "$R"
mkdir "$R/sub"
printf 'x' > "$R/a.txt"
printf 'xx' > "$R/prog.exe"
printf 'r' > "$R/ro.txt"
chmod a-w "$R/ro.txt"
fresh_program_folder PCTKUsr.dll
list_ini "Disp_Mode=1" \
    "[Color]" "Back_Col_R=0" "Back_Col_G=0" "Back_Col_B=0" "Dir_Col_R=0" "Dir_Col_G=128" "Dir_Col_B=255" \
    "Info_Col_R=255" "Info_Col_G=128" "Info_Col_B=0" "Infd_Col_R=200" "Infd_Col_G=200" "Infd_Col_B=200" \
    "[BIN_COLOR]" "EXE=2"
open_at 'R:\' 'R:\*.*' "the root of the labelled drive is listed"
check "the cursor row was spoken through the reader library, after the paint" \
    becomes "$(printf 'PCTKPRead\t1\t1\tしょうなりQRNTESTだいなり')" eval 'speech_log | head -n 1'
check "the client area can be saved" drive shot QRN "QRN - " 'C:\qrn\shot.bmp'
check "the status bar shows the free space" contains "$(ask texts QRN 'QRN - ')" ' Free: '
quit
check "and only the cursor row was spoken" equals "$(speech_log | sort -u | wc -l)" 1
chmod u+w "$R/ro.txt"
# Rows, sorted: the label, the directory, then the files by name, the first
# of them the label file itself, which Wine shows hidden (a dot file). W is 14.
# X|Y|WIDTH|HEIGHT|MODE|R G B|WHAT, the figures in cells (CW wide, LH high)
while IFS='|' read -r x y w h mode rgb what; do
    # shellcheck disable=SC2086
    check "$what" python3 "$HERE/pixels.py" "$mode" "$PROG/shot.bmp" $((x)) $((y)) $((w)) $((h)) $rgb
done <<'EOF'
X0|Y0|5*CW|LH|has|255 128 0|the header label Name: in the label colour
X0+5*CW|Y0|14*CW|LH|has|200 200 200|the header value in the value colour
0|LH/2+Y0+3*LH-1|200|1|mostly|255 255 255|the separator line is white
X0|TOP|14*CW|LH|mostly|255 255 0|the cursor row (the label) is drawn inverse in the label colour
X0|TOP+LH|14*CW|LH|has|0 128 255|the directory row in the directory colour
X0|TOP+2*LH|16*CW|LH|has|192 192 192|a hidden file in the hidden colour
X0|TOP+3*LH|14*CW|LH|has|255 255 255|an ordinary file in the ordinary colour
X0+12*CW|TOP+4*LH|3*CW|LH|has|255 0 0|the extension of prog.exe in its BIN_COLOR colour
X0|TOP+4*LH|11*CW|LH|none|255 0 0|but not its name
X0|TOP+5*LH|16*CW|LH|has|0 255 0|a read-only file in the read-only colour
X0|TOP+6*LH|16*CW|LH|none|255 255 255|nothing below the last row
EOF

# ---------------------------------------------------------------------------
scenario "sorting by each key in both directions"
clear_drive "$U"
while read -r name size date; do
    head -c "$size" /dev/zero > "$U/$name"
    touch -d "$date" "$U/$name"
done <<'EOF'
aaa.mmm 50 2001-01-01T10:00:00
zzz.mmm 50 2001-01-01T10:00:00
mmm1.aaa 50 2001-01-01T10:00:00
mmm2.zzz 50 2001-01-01T10:00:00
mmm3.mmm 50 1990-05-05T10:00:00
mmm4.mmm 50 2020-05-05T10:00:00
mmm5.mmm 1 2001-01-01T10:00:00
mmm6.mmm 1000 2001-01-01T10:00:00
EOF
fresh_program_folder PCTKUsr.dll
list_ini "Disp_Mode=1"
open_at 'U:\' 'U:\*.*'
check "auto-sort by name puts aaa.mmm first" spoken "aaaぴりおどmmm"
SORT=ソート条件の入力
sort_by() {  # sort_by KEY-ID ORDER-ID: through the dialog opened by the S key
    keys s
    drive wait '#32770' $SORT 10000 || return 1
    drive press '#32770' $SORT "#$1"
    drive press '#32770' $SORT "#$2"
    answer $SORT OK
}
while read -r key order first what; do
    sort_by "$key" "$order"
    check "sorted by $what: the cursor is on the first row, $first" spoken "$first"
done <<'EOF'
1094 1099 zzzぴりおどmmm name descending
1095 1098 mmm1ぴりおどaaa extension ascending
1096 1099 mmm4ぴりおどmmm date descending
1097 1098 mmm5ぴりおどmmm size ascending
1094 1098 aaaぴりおどmmm name ascending
EOF
check "the title stays on the directory" equals "$(main_title)" 'QRN - U:\*.*'
quit

# ---------------------------------------------------------------------------
# The list driven by keys and the mouse. Files f000.txt ... on U:, in one
# column of one layout (Disp_Mode 5) or in the layout of Disp_Mode 1.
fname() { printf 'f%03dぴりおどtxt' "$1"; }           # spoken name of f<N>.txt
marked() { printf 'あすたりすくf%03dぴりおどtxt' "$1"; }
index_of() { local t; t=$(last_spoken); t=${t#あすたりすく}; t=${t#f}; echo $((10#${t%%ぴ*})); }
make_files() {  # make_files N: f000.txt .. f<N-1>.txt on U:
    clear_drive "$U"
    local i
    for i in $(seq 0 $(($1 - 1))); do printf 'x' > "$U/$(printf 'f%03d.txt' "$i")"; done
}
# key_table: lines "KEYS|SPOKEN|WHAT" on stdin; SPOKEN is evaluated (fname N),
# KEYS "=" checks that nothing moved.
key_table() {
    local k want what
    while IFS='|' read -r k want what; do
        want=$(eval "echo \"$want\"")
        if [ "$k" == "=" ]; then check "$what" settled "$want"; else
            # shellcheck disable=SC2086
            keys $k
            check "$what" spoken "$want"
        fi
    done
}

scenario "cursor keys and pages"
make_files 100
fresh_program_folder PCTKUsr.dll
list_ini "Disp_Mode=5"
open_at 'U:\' 'U:\*.*'
check "the first row is spoken at start" spoken "$(fname 0)"
keys down down down up up up up
wrapped() { [ "$(index_of)" -gt 2 ] && echo yes; }
check "Up from the first row of the page wraps to its last" becomes yes wrapped
R=$(($(index_of) + 1))
key_table <<'EOF'
down|$(fname 0)|Down from the last row wraps to the first
pgdn|$(fname $R)|Page Down shows the next page, cursor on its first row
up|$(fname $((2 * R - 1)))|Up wraps within page 2
pgup|$(fname 0)|Page Up: the previous page
pgup|$(fname 0)|Page Up on page 1 stays
=|$(fname 0)|and does nothing
shift+right|$(fname $R)|Shift+Right is Page Down
shift+pgdn|$(fname $(( (99 / R) * R )))|Shift+Page Down: the last page
shift+left|$(fname $(( (99 / R - 1) * R )))|Shift+Left is Page Up (not Shift+Page Up)
EOF
quit

# ---------------------------------------------------------------------------
scenario "marking from the keyboard"
make_files 5
mkdir "$U/dir"
fresh_program_folder PCTKUsr.dll
list_ini "Disp_Mode=1"
open_at 'U:\' 'U:\*.*'
check "the directory comes first" spoken "しょうなりdirだいなり"
key_table <<'EOF'
down space|$(fname 1)|Space marks and moves down
up|$(marked 0)|the marked row is read with its mark
home|$(fname 0)|Home with a mark clears all marks
home|$(marked 0)|Home without marks marks every file
up|しょうなりdirだいなり|but not the directory
home ctrl+home|あすたりすくdirだいなり|Ctrl+Home marks directories too
EOF
quit

# ---------------------------------------------------------------------------
scenario "drive digits"
G=$WINEPREFIX/dosdevices/g:
ln -sfn "$U" "$G"
make_files 3
mkdir -p "$U/sub"
fresh_program_folder PCTKUsr.dll
list_ini "Disp_Mode=1" "[SET_DIR]" 'SET1=U:\sub\' 'SET3=G:\'
open_at 'C:\' 'C:\*.*'
while IFS='|' read -r k title what; do
    keys "$k"
    check "$what" drive wait QRN "QRN - $title" 10000
done <<'EOF'
comma|U:\sub\*.*|comma opens the first one-key directory
slash|G:\*.*|slash the third
3|C:\*.*|3 is drive C:
7|G:\*.*|the digit 7 opens drive G:
EOF
keys 0
check "0 is drive J:, which does not exist: nothing changes" settled "しょうなりsubだいなり"
check "no title change" equals "$(main_title)" 'QRN - G:\*.*'
check "no message" equals "$(dialogs -)" 0
keys 3
check "3 is drive C:, at its current directory" drive wait QRN 'QRN - C:\*.*' 10000
quit
rm -f "$G"

# ---------------------------------------------------------------------------
scenario "the mouse on the list"
make_files 8
printf 'x' > "$U/pack.lzh"
fresh_program_folder PCTKUsr.dll
list_ini "Disp_Mode=1"
row_point() { echo "$((X0 + 3 * CW)) $((TOP + $1 * LH + LH / 2))"; }
open_at 'U:\' 'U:\*.*'
check "start" spoken "$(fname 0)"
# ROW|HOW|SPOKEN|WHAT; "settled" when the row spoken stays the same
while IFS='|' read -r row how want what; do
    # shellcheck disable=SC2046,SC2086
    drive click QRN "QRN - " $(row_point "$row") $how
    want=$(eval "echo \"$want\"")
    if [[ $what == *"not"* ]]; then check "$what" settled "$want"; else check "$what" spoken "$want"; fi
done <<'EOF'
3||$(fname 3)|a click moves the cursor
5|ctrl|$(marked 5)|Ctrl+click marks the clicked row
5|ctrl|$(marked 5)|a second Ctrl+click does not unmark
1|shift|$(marked 1)|Shift+click marks the range
EOF
key_table <<'EOF'
down|$(marked 2)|rows between are marked
down down down|$(marked 5)|up to the old cursor
down|$(fname 6)|and no further
EOF
drive click QRN "QRN - " 100 $((TOP + 40 * LH))
check "a click behind the last row changes nothing" settled "$(fname 6)"

# The popup menu: three kinds, told apart by their number of items.
popup_height() {
    drive wait '#32768' - 5000 || { echo 0; return; }
    local h
    h=$(ask rect '#32768' - | awk '{ print $4 }')
    drive keys '#32768' - esc
    drive gone '#32768' - 5000
    echo "$h"
}
# shellcheck disable=SC2046
drive click QRN "QRN - " $(row_point 2) right
file_menu=$(popup_height)
check "a right-click on a file moves the cursor there" spoken "$(marked 2)"
# shellcheck disable=SC2046
drive click QRN "QRN - " $(row_point 8) right
archive_menu=$(popup_height)
drive click QRN "QRN - " 100 $((Y0 + LH / 2)) right
info_menu=$(popup_height)
check "a popup menu opens on the information lines" test "$info_menu" -gt 0
# From the keyboard the menu is the cursor row's, wherever the mouse last was.
keys apps
check "the menu key opens the cursor row's menu (an archive's)" equals "$(popup_height)" "$archive_menu"
check "without moving the cursor" spoken "packぴりおどlzh"
check "it is the short one" test "$info_menu" -lt "$archive_menu"
check "an archive gets the archive menu, shorter than the file menu" test "$archive_menu" -lt "$file_menu"
check "the Escape that closed the menus did not ask to quit" equals "$(dialogs 確認)" 0
quit

# ---------------------------------------------------------------------------
scenario "changes by another program"
clear_drive "$U"
printf 'b' > "$U/b.txt"
printf 'c' > "$U/c.txt"
fresh_program_folder PCTKUsr.dll
list_ini "Disp_Mode=1"
open_at 'U:\' 'U:\*.*'
check "start" spoken "bぴりおどtxt"
printf 'a' > "$U/a.txt"
drive click QRN "QRN - " 5 5
check "a file made by another program appears" spoken "aぴりおどtxt"
keys space
check "marked" spoken "bぴりおどtxt"
printf '0' > "$U/0.txt"
drive click QRN "QRN - " 5 5
keys up
check "while something is marked the list is not read again" settled "あすたりすくaぴりおどtxt"
keys space
drive click QRN "QRN - " 5 5
check "once the marks are gone the change is taken over" spoken "aぴりおどtxt"
quit

# ---------------------------------------------------------------------------
scenario "commands from other programs and window sizes; a window closed maximised starts maximised"
fresh_program_folder PCTKUsr.dll
list_ini "Disp_Mode=1" 'GetPath=U:\'
open_at '/m*.txt' 'U:\*.txt'
list_ini "Disp_Mode=2" 'GetPath=U:\'
drive command QRN "QRN - " 40061
check "settings reloaded on command 40061 from another program" spoken "0ぴりおどtxt   1 A___"
keys tab
check "Tab resets the mask" drive wait QRN '\*.*' 10000
drive resize QRN "QRN - " 100 100
drive command QRN "QRN - " 40061
at_least() { read -r cw ch <<< "$(ask clientsize QRN 'QRN - ')"; [ "$cw" -ge 180 ] && [ "$ch" -ge 200 ] && echo yes; }
check "the client area stays at least 180 x 200" becomes yes at_least
drive command QRN "QRN - " 40056
check "maximised by its command" becomes maximised main_state
keys ctrl+n
check "Ctrl+N: normal size" becomes normal main_state
# A window closed maximised starts maximised, and stays so.
drive command QRN "QRN - " 40056
check "maximised again" becomes maximised main_state
quit
check "closing maximised stores WinSizeIsMax=1" equals "$(ini_value QRNInit WinSizeIsMax)" 1
open_at "" 'U:\'
check "the next start shows it maximised" becomes maximised main_state
quit
check "and that exit keeps WinSizeIsMax=1" equals "$(ini_value QRNInit WinSizeIsMax)" 1

# shellcheck source=launch_scenarios.sh
source "$HERE/launch_scenarios.sh"

# ---------------------------------------------------------------------------
wineserver -k 2>/dev/null
say "e2e: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
