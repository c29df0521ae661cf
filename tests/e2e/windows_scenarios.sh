# Scenarios of the drive window and the destination window.
# shellcheck shell=bash
drive_window() { drive wait 'QRN LogDisk' "$1" 10000; }
dest_keys() { drive keys 'QRN Destination' - "$@"; }

# ---------------------------------------------------------------------------
scenario "the drive window, then the destination window"
clear_drive "$U"
mkdir -p "$U/d1/inner" "$U/d2"
printf 'a' > "$U/a.txt"
printf 'b' > "$U/b.txt"
open_u "Disp_Mode=1" "[SET_DIR]" 'SET1=S:\'
keys l
check "L opens it on the listed drive, its kind in the title" drive_window '=Drive Select - hard disk'
check "the highlighted letter is spoken" spoken U
drive keys 'QRN LogDisk' - esc
check "Escape closes it" drive gone 'QRN LogDisk' - 10000
keys comma
check "a drive that is not ready is told" drive wait '#32770' '=ERROR!' 10000
answer '=ERROR!' OK
check "then the drive window comes up as LogDisk" drive_window 'LogDisk'
drive keys 'QRN LogDisk' - shift+u shift+semicolon backslash d 1 enter
check "and the path typed there is listed" drive wait QRN '=QRN - U:\d1\*.*' 10000
keys back
check "Backspace: the parent, the cursor on the directory left" spoken "しょうなりd1だいなり"
keys down
check "Down: d2" spoken "しょうなりd2だいなり"
keys c
check "C first asks for the drive" drive_window '=File Copy - hard disk'
drive keys 'QRN LogDisk' - enter
check "then the destination window opens on it" drive wait 'QRN Destination' '=File Copy U:\' 10000
EXEC=$(last_spoken)
check "the execution row comes first and is spoken" contains "$EXEC" "Execution"
KEYS=dest_keys key_table <<'EOF'
down|しょうなりd1だいなり|then the directories
up|$EXEC|Up walks back
down enter|$EXEC|Enter on a directory enters it
down|[UpperDir]|with the parent first
EOF
check "the title names the operation and the directory" equals "$(dest_title)" 'File Copy U:\d1\'
dest_keys back
check "Backspace goes to the parent" becomes 'File Copy U:\' dest_title
dest_keys k
drive wait '#32770' ディレクトリの作成 10000
type_line ディレクトリの作成 new '#1'
check "K makes a directory there and enters it" becomes 'File Copy U:\new\' dest_title
dest_keys enter
check "Enter on the execution row closes the window" drive gone 'QRN Destination' - 10000
check "and copies the cursor row there" spoken "1件コピーしました"
check "which is on disk" test -d "$U/new/d2"
check "the main list's cursor is back where it was" settled "しょうなりd2だいなり"
check "its rectangle is kept" test "$(ini_value QRNInit init_sx_siz)" -gt 0
keys m
drive_window 'File Move'
drive keys 'QRN LogDisk' - insert
check "Insert in the drive window takes the directory last confirmed" \
    drive wait 'QRN Destination' '=File Move U:\new\' 10000
dest_keys esc
check "Escape closes it" drive gone 'QRN Destination' - 10000
check "nothing more was copied or moved" equals "$(cd "$U" && ls | tr '\n' ' ')" "a.txt b.txt d1 d2 new "
quit
