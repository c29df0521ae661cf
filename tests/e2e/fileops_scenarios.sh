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

# ---------------------------------------------------------------------------
scenario "total size, attributes and concatenation from the keyboard"
clear_drive "$U"
mkdir -p "$U/d/empty"
head -c 1536 /dev/zero > "$U/d/x.bin"
printf 'a1\r\n\032a2' > "$U/a.txt"
printf 'b1\nb2' > "$U/b.txt"
open_u "Disp_Mode=1"
SIZED=ファイルサイズ集計完了！！
keys ctrl+i
check "Ctrl+I ends in the result, in place of the progress" drive wait '#32770' "=$SIZED" 10000
check "counting the files of the tree and their bytes" contains "$(ask texts '#32770' "=$SIZED")" "1,536 Bytes"
check "and says it" spoken "1件、1,536バイト"
answer "=$SIZED" '#1'
ATTR=ファイル属性の変更
keys down a
check "A opens the attribute dialog on the cursor row" drive wait '#32770' "=$ATTR" 10000
check "with its date in the creation field" contains "$(drive gettext '#32770' "=$ATTR" '#1035')" "-"
drive press '#32770' "=$ATTR" '#1030'
drive settext '#32770' "=$ATTR" '#1037' 2001-02-03
answer "=$ATTR" '#1'
check "the file is read-only now" spoken "1件の属性を変更しました"
check "and last written on the day typed" equals "$(date -r "$U/a.txt" +%F)" 2001-02-03
check "which it is on the Linux side too" equals "$(stat -c %A "$U/a.txt" | cut -c3)" -
CAT=ﾌｧｲﾙを連結して複写
keys space space add
check "+ (of the number pad) opens the concatenation dialog" drive wait '#32770' "=$CAT" 10000
drive press '#32770' "=$CAT" '#1'
check "OK with a file still unplaced is refused" question 確認 "連結順を全て指定してください"
answer =確認 '#1'
drive settext '#32770' "=$CAT" '#1035' joined.txt
drive press '#32770' "=$CAT" '#1001'
drive press '#32770' "=$CAT" '#1001'
answer "=$CAT" '#1'
check "the marked files joined in the order placed, as text" spoken "2件を連結して joined.txt を作りました"
check "each to its end mark, line feeds as CR LF" equals "$(od -An -tx1 "$U/joined.txt" | xargs)" '61 31 0d 0a 62 31 0d 0a 62 32'
quit
chmod -R u+w "$U"

# ---------------------------------------------------------------------------
scenario "files dropped from another program; where am I"
clear_drive "$U"
mkdir -p "$U/box" "$C/qrndrop"
printf 'a' > "$C/qrndrop/a.txt"
printf 'm' > "$U/m.txt"
printf 'x' > "$U/x.txt"
open_u "Disp_Mode=1"
MAIN='QRN - U:\*.*'
# Rows: box, m.txt, x.txt.
DROP='  確認  '
drop_files "$MAIN" $(row_point 0) "$C/qrndrop/a.txt"
check "a file from another drive asks to copy" question "$DROP" コピーしますか？
answer "=$DROP" '#1'
check "it is copied into the directory dropped on" spoken "1件コピーしました"
check "and stays where it was" equals "$(files_in "$U/box")|$(files_in "$C/qrndrop")" "./a.txt |./a.txt "
drop_files "$MAIN" $(row_point 0) "$U/m.txt"
check "one from the listed drive asks to move" question "$DROP" 移動しますか？
answer "=$DROP" '#1'
check "and is moved" becomes "./a.txt ./m.txt " files_in "$U/box"
xdotool keydown shift
drop_files "$MAIN" $(row_point 0) "$U/x.txt"
check "Shift held makes it a copy" question "$DROP" コピーしますか？
xdotool keyup shift
answer "=$DROP" '#1'
check "x.txt copied, kept" becomes "./a.txt ./m.txt ./x.txt " files_in "$U/box"
check "x.txt is still listed" test -f "$U/x.txt"
drop_files "$MAIN" $(row_point 0) "$U/box"
answer "=$DROP" '#1'
check "a directory dropped on its own row is refused" question エラー "それ自身の中へは移動できません"
answer =エラー '#1'
check "and the drop tells it failed" question Error!! "ファイルの移動に失敗しました"
answer =Error!! '#1'
check "nothing moved" equals "$(files_in "$U/box")" "./a.txt ./m.txt ./x.txt "
keys home ctrl+w
check "Ctrl+W: the directory, the place among the rows, the marks (Home marks the files), the free space" \
    becomes 'U:\、2件中1件目、マーク1件1バイト、空きNバイト' eval 'last_spoken | sed "s/空き[0-9]*バイト$/空きNバイト/"'
quit
rm -rf "$C/qrndrop"

# ---------------------------------------------------------------------------
scenario "RecycleBin=1: D moves into the trash; the base setup page switches it and the quarters"
clear_drive "$U"
BINNED=binned-$$.txt
printf 'r' > "$U/$BINNED"
open_u "Disp_Mode=1" "RecycleBin=1"
keys d
check "D asks as ever" question Delete "U:\\$BINNED"
answer =Delete '#1'
check "and says where the file went" spoken "1件ごみ箱へ移しました"
TRASH=$HOME/.local/share/Trash
check "which is the desktop's trash (under its name, or a new one when the trash has it)" \
    eval 'compgen -G "$TRASH/files/$BINNED*" >/dev/null'
rm -f "$TRASH/files/$BINNED"* "$TRASH/info/$BINNED"*
BASE=QRNの基本設定
drive command QRN "QRN - " 40038
check "the base setup page opens" drive wait '#32770' "=$BASE" 10000
drive press '#32770' "=$BASE" '#1028'
drive press '#32770' "=$BASE" '#1029'
answer "=$BASE" '#1'
ini_table <<'T'
the quarters switched off|QRNInit|SpeakProgress|0
the bin switched off|QRNInit|RecycleBin|0
T
quit
