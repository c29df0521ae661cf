# Scenarios of the built-in pager.
# shellcheck shell=bash
pager_keys() { drive keys 'QRN Pager' - "$@"; }
pager_open() { check "${2:-it opens titled with the name of the entry}" drive wait 'QRN Pager' "=$1" 10000; }
pager_gone() { drive gone 'QRN Pager' - 10000; }
line_said() { printf 'line%03d' "$1"; }   # "line 001" as the reader is given it

# ---------------------------------------------------------------------------
scenario "the pager"
clear_drive "$U"
for i in $(seq 1 200); do printf 'line %03d\r\n' "$i"; done > "$U/view.txt"
printf '\tX\r\n' > "$U/tabs.cpp"
printf 'gone' > "$U/zgone.txt"
fresh_program_folder PCTKUsr.dll
cp "$DOUBLES/logargs.exe" "$PROG/rec.exe"
list_ini "Disp_Mode=1" 'Editor=C:\qrn\rec.exe' "EDIT_LONGNAME=1" \
    "init_vx_pos=30" "init_vy_pos=40" "init_vx_siz=420" "init_vy_siz=300"
open_at 'U:\' 'U:\*.*'
keys down
settled "viewぴりおどtxt"
keys v
pager_open view.txt
check "its top line is spoken" spoken "$(line_said 1)"
read -r _ _ _ _ _ CH _ <<< "$(ask rect 'QRN Pager' -)"
LPP=$((CH / LH)) LAST=$((200 - CH / LH + 1))
check "where qrn.ini put it" equals "$(ask rect 'QRN Pager' - | awk '{ print $1, $2, $3, $4 }')" "30 40 420 300"
KEYS=pager_keys key_table <<'EOF2'
pgdn|$(line_said $((LPP + 1)))|Page Down turns a page
down|$(line_said $((LPP + 2)))|Down one line
shift+left|$(line_said 2)|Shift+Left turns back
end|$(line_said $LAST)|End goes to the last page
EOF2
n=$(spoken_count)
pager_keys pgdn up
check "Page Down on the last page leaves it; Up still moves" spoken "$(line_said $((LAST - 1)))"
check "and the refused page said nothing" equals "$(spoken_count)" "$((n + 1))"
drive resize 'QRN Pager' - 500 320
pager_keys esc
check "Escape closes it" pager_gone
check "and the list speaks its row again" spoken "viewぴりおどtxt"
check "its rectangle is stored" equals "$(for k in pos siz; do ini_value QRNInit "init_vx_$k"; ini_value QRNInit "init_vy_$k"; done | xargs)" "30 40 500 320"
keys enter
pager_open view.txt "Enter on a file opens it when no Pager program is set"
check "at the stored place" equals "$(ask rect 'QRN Pager' - | awk '{ print $1, $2, $3, $4 }')" "30 40 500 320"
pager_keys shift+enter
check "Shift+Enter closes it" pager_gone
check "and hands the file to the editor" becomes '"U:\view.txt"' sh -c "tr -d '\r' < '$PROG/logargs.log' | awk '{ print \$NF }'"

# Tabs: 4 for a .cpp file; the X is drawn where its column is.
keys up
settled "tabsぴりおどcpp"
keys v
pager_open tabs.cpp
x_at() {  # x_at COLUMN: "yes" when a pixel of that cell has the text colour
    drive shot 'QRN Pager' - 'C:\qrn\pager.bmp' &&
        python3 "$HERE/pixels.py" has "$PROG/pager.bmp" $((CW * (1 + $1))) 0 "$CW" "$LH" 255 255 255 >/dev/null &&
        echo yes
}
check "a C++ file opens with tab width 4" becomes yes x_at 4
pager_keys v
check "V closes it" pager_gone

# A file gone since the list was read (a mark keeps the list as it was).
keys space down
settled "zgoneぴりおどtxt"
rm "$U/zgone.txt"
keys v
check "a vanished file is told" drive wait '#32770' '=Error!!' 10000
check "in the program's words" contains "$(ask texts '#32770' '=Error!!')" "ファイルは存在しません。"
answer '=Error!!' OK
check "and no pager stays open" equals "$(ask count 'QRN Pager' -)" 0
quit
quit
