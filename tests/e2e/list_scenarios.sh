# Scenarios of the list: drawing, sorting, keys, the mouse, changes.
# shellcheck shell=bash
# ---------------------------------------------------------------------------
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
scenario "sorting through the dialog"
clear_drive "$U"
for f in aaa.mmm zzz.mmm mmm1.aaa; do printf 'x' > "$U/$f"; done
open_u "Disp_Mode=1"
check "auto-sort by name puts aaa.mmm first" spoken "aaaぴりおどmmm"
SORT=ソート条件の入力
keys s
drive wait '#32770' $SORT 10000
drive press '#32770' $SORT "#1094"  # by name
drive press '#32770' $SORT "#1099"  # descending
answer $SORT OK
check "sorted by name descending through the dialog of the S key: the cursor is on the first row" spoken "zzzぴりおどmmm"
check "the title stays on the directory" equals "$(main_title)" 'QRN - U:\*.*'
quit

# ---------------------------------------------------------------------------
scenario "cursor keys and pages"
make_files 100
open_u "Disp_Mode=5"
check "the first row is spoken at start" spoken "$(fname 0)"
keys up
wrapped() { [ "$(index_of)" -gt 2 ] && echo yes; }
check "Up from the first row of the page wraps to its last" becomes yes wrapped
R=$(($(index_of) + 1))
keys pgdn
check "Page Down shows the next page, cursor on its first row" spoken "$(fname $R)"
quit

# ---------------------------------------------------------------------------
scenario "drive digits"
G=$WINEPREFIX/dosdevices/g:
ln -sfn "$U" "$G"
make_files 3
mkdir -p "$U/sub"
fresh_program_folder PCTKUsr.dll
list_ini "Disp_Mode=1" "[SET_DIR]" 'SET1=U:\sub\'
open_at 'C:\' 'C:\*.*'
keys comma
check "comma opens the first one-key directory" drive wait QRN 'QRN - U:\sub\*.*' 10000
keys 7
check "the digit 7 opens drive G:" drive wait QRN 'QRN - G:\*.*' 10000
quit
rm -f "$G"

# ---------------------------------------------------------------------------
scenario "the mouse on the list"
make_files 8
printf 'x' > "$U/pack.lzh"
fresh_program_folder PCTKUsr.dll
list_ini "Disp_Mode=1"
open_at 'U:\' 'U:\*.*'
check "start" spoken "$(fname 0)"
# ROW|HOW|SPOKEN|WHAT; "settled" when the row spoken stays the same
while IFS='|' read -r row how want what; do
    # shellcheck disable=SC2046,SC2086
    drive click QRN "QRN - " $(row_point $row) $how
    want=$(eval "echo \"$want\"")
    if [[ $what == *"not"* ]]; then check "$what" settled "$want"; else check "$what" spoken "$want"; fi
done <<'EOF'
3||$(fname 3)|a click moves the cursor
5|ctrl|$(marked 5)|Ctrl+click marks the clicked row
1|shift|$(marked 1)|Shift+click marks the range
EOF
drive click QRN "QRN - " 100 $((TOP + 40 * LH))
check "a click behind the last row changes nothing" settled "$(marked 1)"

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
drive click QRN "QRN - " $(row_point 3) right
file_menu=$(popup_height)
check "a right-click on a file moves the cursor there" spoken "$(marked 3)"
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
scenario "changes by another program; commands from other programs and window sizes; a window closed maximised starts maximised"
clear_drive "$U"
printf 'b' > "$U/b.txt"
printf 'c' > "$U/c.txt"
fresh_program_folder PCTKUsr.dll
list_ini "Disp_Mode=1" 'GetPath=U:\'
open_at '/m*.txt' 'U:\*.txt'
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
list_ini "Disp_Mode=2" 'GetPath=U:\'
drive command QRN "QRN - " 40061
check "settings reloaded on command 40061 from another program" spoken "aぴりおどtxt   1 A___"
keys tab
check "Tab resets the mask" drive wait QRN '\*.*' 10000
drive resize QRN "QRN - " 100 100
drive command QRN "QRN - " 40061
at_least() { read -r _ _ _ _ cw ch _ <<< "$(ask rect QRN 'QRN - ')"; [ "$cw" -ge 180 ] && [ "$ch" -ge 200 ] && echo yes; }
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
