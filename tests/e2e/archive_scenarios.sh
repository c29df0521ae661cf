# Scenarios of unpacking and packing from the keyboard, through the stand-in
# archiver libraries in the program folder: checked through their log.
# shellcheck shell=bash
R=$(drive_dir r)
ARCHIVERS="UNLHA32.DLL UNZIP32.DLL CAB32.DLL TAR32.DLL ISH32.DLL"
# calls: the command lines the libraries were given since the last calls, one a line
calls() { tr -d '\r' < "$PROG/archiver.log" | sed -n 's/^[A-Z0-9]* call //p'; : > "$PROG/archiver.log"; }
# named TITLE LINE: the name prompt TITLE comes up and is answered with LINE
named() { drive wait '#32770' "=$1" 10000 && SPOKEN_BEFORE=$(spoken_count) && type_line "=$1" "$2" '#1'; }

# ---------------------------------------------------------------------------
scenario "unpacking marked archives kind by kind, then a .Z archive alone"
clear_drive "$U"
clear_drive "$R"
for f in a.lzh b.txt c.lzh d.tar.Z e.txt; do printf 'x' > "$U/$f"; done
# shellcheck disable=SC2086
fresh_program_folder PCTKUsr.dll $ARCHIVERS
mkdir -p "$PROG/archivers" && cp "$BUILD/archivers/TAR32.DLL" "$PROG/archivers/"  # the user's keeps priority
list_ini
open_at 'U:\' 'U:\*.*'
keys space space space up up up apps u  # 解凍 in the popup menu of an archive
to 'Unpack File' r 'R:\'
check "a directory named after each archive is offered" question 確認 '書庫名のディレクトリを作成しますか？'
answer =確認 OK
check "what was done is said" said "3件を解凍しました"
check "UNLHA32 takes both of its archives, then ISH32 the text" equals "$(calls)" \
'x -a1 "U:\a.lzh" "R:\a\"
x -a1 "U:\c.lzh" "R:\c\"
/q U:\b.txt /f=R:\b\'
keys shift+pgup space space space u
to 'Unpack File' r 'R:\'
question 確認 '書庫名のディレクトリを作成しますか？' && answer =確認 '#2'
check "after Cancel all go straight into the destination" said "3件を解凍しました"
check "with the same order" equals "$(calls)" \
'x -a1 "U:\a.lzh" "R:\"
x -a1 "U:\c.lzh" "R:\"
/q U:\b.txt /f=R:\'
keys shift+pgup down down down u
to 'Unpack File' r 'R:\'
check "nothing marked: no question, one archive" said "1件を解凍しました"
check "a .Z archive goes to TAR32 with z first, its last quote open; the library loaded, asked, released" \
    equals "$(tr -d '\r' < "$PROG/archiver.log")" 'TAR32 load
TAR32 version
TAR32 running
TAR32 background 0
TAR32 cursor 1
TAR32 call zxvf "U:\d.tar.Z" -o "R:\
TAR32 release'
quit

# ---------------------------------------------------------------------------
scenario "packing the cursor file, three marked ones, a TAR file and ISH files"
# shellcheck disable=SC2086
fresh_program_folder PCTKUsr.dll $ARCHIVERS
list_ini
open_at 'U:\' 'U:\*.*'
keys down p
check "the name prompt offers the name without its extension" becomes b input_text '=圧縮ファイル名の入力'
named 圧縮ファイル名の入力 b
check "what was done is said" said "1件を書庫にしました"
check "one line for the cursor file" equals "$(calls)" 'a -a1 -d1 "b" "b.txt"'
keys space space space p
named 圧縮ファイル名の入力 arc
check "three marked files are said" said "3件を書庫にしました"
check "the library is given a response file with their names" contains \
    "$(tr -d '\r' < "$PROG/archiver.log")" 'response "b.txt"|"c.lzh"|"d.tar.Z"|'
check "which is gone afterwards" equals "$(find "$C/users" -iname 'QRN*.TMP' | wc -l)" 0
calls > /dev/null
drive command QRN "QRN - " 40053
named Tarファイル名の入力 t.tar
check "the TAR pack from its menu item" said "1件を書庫にしました"
check "with its fixed options" equals "$(calls)" '-cvf "t.tar" "e.txt"'
keys shift+pgup space space i
to 'ISH File Make' r 'R:\'
named Ishファイル名の入力 out
check "two files are made into ISH" said "2件をISHにしました"
check "the first with /s, the next with /YA, into one output" equals "$(calls)" \
'/f=R:\ /s out.ISH a.lzh
/f=R:\ /YA out.ISH b.txt'
quit

# ---------------------------------------------------------------------------
scenario "with no library of the user's, the program's own libraries pack and unpack"
clear_drive "$U"
clear_drive "$R"
TSRC=$(mktemp -d) && mkdir "$TSRC/sub" && printf 'hello' > "$TSRC/h.txt" && printf 's' > "$TSRC/sub/s.txt"
printf 'zipped' > "$TSRC/z.txt" && mkdir "$TSRC/cs" && printf 'cab' > "$TSRC/cs/c.txt"
printf 'lzh' > "$TSRC/cs/l.txt"
tar -cZf "$U/t.tar.Z" -C "$TSRC" h.txt sub && (cd "$TSRC" && zip -q "$U/z.zip" z.txt && gcab -cz "$U/c.cab" cs/c.txt &&
    jlha a "$U/l.lzh" cs/l.txt > /dev/null)
rm -rf "$TSRC"
printf 'packed' > "$U/p.txt"
fresh_program_folder PCTKUsr.dll
mkdir -p "$PROG/archivers" && cp "$BUILD/archivers/"*.DLL "$PROG/archivers/"
list_ini
open_at 'U:\' 'U:\*.*'
keys down down  # p.txt, after c.cab and l.lzh
drive command QRN "QRN - " 40053
named Tarファイル名の入力 out.tar
check "the TAR pack is said" said "1件を書庫にしました"
check "and GNU tar reads the archive" equals "$(tar -xOf "$U/out.tar" p.txt)" packed
keys down down u
to 'Unpack File' r 'R:\'
check "a .Z archive is unpacked" said "1件を解凍しました"
check "whole, into the destination" equals "$(files_in "$R")$(cat "$R/h.txt")" "./h.txt ./sub ./sub/s.txt hello"
keys down u
to 'Unpack File' r 'R:\'
check "and a ZIP archive" said "1件を解凍しました"
check "byte for byte" equals "$(cat "$R/z.txt")" zipped
keys shift+pgup u
to 'Unpack File' r 'R:\'
check "and a cabinet made by gcab, through the system's cabinet library" said "1件を解凍しました"
check "into its directory" equals "$(cat "$R/cs/c.txt")" cab
keys down u  # l.lzh
to 'Unpack File' r 'R:\'
check "and an LZH archive made by jlha" said "1件を解凍しました"
check "byte for byte too" equals "$(cat "$R/cs/l.txt")" lzh
keys down down p  # p.txt, after out.tar
named 圧縮ファイル名の入力 mine
check "the LZH pack is said" said "1件を書庫にしました"
check "and lhasa reads the archive, .lzh added to the name" equals "$(lhasa pq "$U/mine.lzh" p.txt)" packed
quit
