# Scenarios of the file commands on the list: delete, rename, make directory,
# volume label.
# shellcheck shell=bash
# ---------------------------------------------------------------------------
scenario "deleting with its questions, renaming both ways, making a directory"
clear_drive "$U"
mkdir -p "$U/sub/deep"
for f in a b c d keep; do printf '%s' "$f" > "$U/$f.txt"; done
printf 'x' > "$U/ソ.txt"
printf 'x' > "$U/sub/deep/x.txt"
chmod a-w "$U/b.txt" "$U/d.txt"
open_u "Disp_Mode=1"
check "the cursor is on the directory" spoken "しょうなりsubだいなり"
keys d
check "D asks first, naming the cursor row" question Delete 'U:\sub'
answer =Delete '#1'
check "the directory goes with everything in it, unasked" becomes gone eval '[ -e "$U/sub" ] || echo gone'
check "what was done is said" spoken "1件削除しました"
# a b c d keep ソ: a to d and ソ marked; b and d are read-only.
keys shift+pgup space space space space down space
keys d
check "one question for the marked rows, naming the first" question Delete 'U:\a.txt'
answer =Delete '#1'
check "the first read-only row is asked about" question Delete 'Read Only File!!'
answer =Delete '#1'
check "the second is not" spoken "5件削除しました"
check "the marked files are gone, a name with a 0x5C trail byte among them" \
    equals "$(cd "$U" && ls)" keep.txt
NEWNAME=ファイル名の変更
keys shift+pgup shift+r
check "Shift+R offers the name without its extension" becomes keep input_text $NEWNAME
type_line $NEWNAME notes '#1'
check "the extension is kept" spoken "1件名前を変えました"
check "keep.txt is notes.txt now" equals "$(cd "$U" && ls)" notes.txt
keys shift+pgup r
check "R offers the whole name" becomes notes.txt input_text $NEWNAME
type_line $NEWNAME notes.md '#1'
check "and takes the whole name typed" becomes notes.md eval 'cd "$U" && ls | xargs'
MKDIR=ディレクトリの作成
keys k
check "K asks for a name, offering none" becomes "" input_text $MKDIR
type_line $MKDIR 新しいフォルダ '#1'
check "the directory is made" spoken "ディレクトリ 新しいフォルダ を作りました"
check "in the listed directory" test -d "$U/新しいフォルダ"
quit
chmod -R u+w "$U"

# ---------------------------------------------------------------------------
scenario "the volume label"
R=$(drive_dir r)
clear_drive "$R"
fresh_program_folder PCTKUsr.dll
list_ini "Disp_Mode=1"
LABEL=ボリュームラベルの作成
label() { head -n 1 "$R/.windows-label" 2>/dev/null | tr -d '\r\n'; }
open_at 'R:\' 'R:\*.*'
# Shift+Page Up puts the cursor on row 1 (.windows-label begins with a period).
keys shift+pgup up d
check "the label row asks first" question Delete 'R:\QRNTEST'
answer =Delete '#1'
check "and then about the label" question Delete 'VolumeLabel!!'
answer =Delete '#1'
check "the label is removed" becomes "" label
keys shift+v
check "Shift+V asks for the label" drive wait '#32770' $LABEL 10000
type_line $LABEL ABCDEFGHIJK '#1'
check "eleven letters are taken" spoken "ボリュームラベルを ABCDEFGHIJK にしました"
check "as the drive's label" equals "$(label)" ABCDEFGHIJK
quit
printf 'QRNTEST\n' > "$R/.windows-label"
