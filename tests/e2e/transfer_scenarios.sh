# Scenarios of copying, mask copy, mirror copy and moving from the keyboard,
# through the real drive and destination windows, checked on disk.
# shellcheck shell=bash
R=$(drive_dir r)
MASK='Mask Copy Pattern Input WildCard'

# told TITLE TEXT: a message box of that title naming TEXT comes up, and is answered OK
told() { question "$1" "$2" && answer "=$1" OK; }

# ---------------------------------------------------------------------------
scenario "copying marked files and a tree to another drive, then mask copy"
clear_drive "$U"
clear_drive "$R"
mkdir -p "$U/tree/in" "$R/mask"
for f in a b c; do printf '%s' "$f$f" > "$U/$f.txt"; done
printf 'x' > "$U/tree/x.txt"
printf 'y' > "$U/tree/in/y.txt"
printf 'z' > "$U/tree/z.doc"
printf 'w' > "$U/tree/in/w.bin"
open_u "Disp_Mode=1"
check "the cursor is on the tree" spoken "しょうなりtreeだいなり"
keys space space space
check "the tree, a.txt and b.txt are marked" spoken "cぴりおどtxt"
keys c
to 'File Copy' r 'R:\'
check "what was done is said" said "3件コピーしました"
check "the marked rows are there, the unmarked file is not" equals "$(files_in "$R")" \
    "./a.txt ./b.txt ./mask ./tree ./tree/in ./tree/in/w.bin ./tree/in/y.txt ./tree/x.txt ./tree/z.doc "
keys shift+pgup
keys shift+alt+c
check "mask copy asks for the pattern first" drive wait '#32770' "=$MASK" 10000
check "offering *.*" equals "$(input_text "=$MASK")" '*.*'
type_line "=$MASK" '*.txt;*.DOC' '#1'
to 'Mask File Copy' r 'R:\mask\' down enter
check "mask copy says what it did" said "1件コピーしました"
check "every directory is made, only matching files copied" equals "$(files_in "$R/mask")" \
    "./tree ./tree/in ./tree/in/y.txt ./tree/x.txt ./tree/z.doc "
quit

# ---------------------------------------------------------------------------
scenario "mirror copy, moving to another drive"
clear_drive "$U"
clear_drive "$R"
mkdir -p "$U/m" "$U/tree/in" "$R/m/extradir" "$R/moved"
printf 'same' | tee "$U/m/same.txt" > "$R/m/same.txt"
touch -d '2021-05-06 07:08:10' "$U/m/same.txt" "$R/m/same.txt"
printf 'new' > "$U/m/new.txt"
printf 'x' > "$R/m/extra.txt"
printf 'y' > "$R/m/extradir/y.txt"
for f in a b c; do printf '%s' "$f" > "$U/$f.txt"; done
printf 'y' > "$U/tree/in/y.txt"
open_u "Disp_Mode=1"
keys shift+c
check "mirror copy asks first" told 確認 '削除を伴うコピーです。'
to 'Mirror Copy' r 'R:\'
check "what was done is said" said "同一化複写しました。1件コピー、2件削除しました"
check "the target is made equal to the source" equals "$(files_in "$R/m")" "./new.txt ./same.txt "
keys shift+pgup down space space space
check "the tree, a.txt and b.txt are marked" spoken "cぴりおどtxt"
keys m
to 'File Move' r 'R:\moved\' down down enter
check "what was done is said" said "3件移動しました"
check "they are gone from the source" equals "$(files_in "$U")" "./c.txt ./m ./m/new.txt ./m/same.txt "
check "and at the target, the tree rebuilt" equals "$(files_in "$R/moved")" "./a.txt ./b.txt ./tree ./tree/in ./tree/in/y.txt "
check "the list is read again, the cursor on the last row left" settled "cぴりおどtxt"
keys shift+c
check "mirror copy on a file does nothing" settled "cぴりおどtxt"
check "and asks nothing" equals "$(dialogs 確認)" 0
quit

# ---------------------------------------------------------------------------
scenario "a long copy says the quarters it passes, queued, then its summary; SpeakProgress=0 none"
R=$(drive_dir r)
clear_drive "$U"
python3 - "$U" <<'PY'
import os, sys
block = os.urandom(4096)
for i in range(1200):  # some 10 s under Wine, the list following each row
    open(os.path.join(sys.argv[1], "p%04d.bin" % i), "wb").write(block)
PY
for quiet in 1 0; do
    clear_drive "$R"
    open_u "Disp_Mode=1" "SpeakProgress=$quiet"
    keys home c
    to 'File Copy' r 'R:\'
    check "the copy ends with its summary" said 1200件コピーしました 600
    if [ "$quiet" = 1 ]; then
        check "a quarter was said before it, queued behind the rows" \
            eval 'speech_log | grep -qP "^PCTKPRead\t[^1]\t1\t(25|50|75)パーセント$"'
    else
        check "SpeakProgress=0: no quarter" eval '! speech_log | grep -q パーセント'
    fi
    quit
done
clear_drive "$R"
clear_drive "$U"
