# Scenarios of speech through NVDA's controller client, which takes the texts
# only while neither legacy reader can be used and NVDA says it is running.
# shellcheck shell=bash
NVDA_DLL=nvdaControllerClient$([ "${QRN_WINE_BITS:-32}" = 64 ] && echo 64 || echo 32).dll
nvda_log() { tr -d '\r' 2>/dev/null < "$PROG/nvda.log"; }     # the stand-in's calls, UTF-8
nvda_said() { nvda_log | grep -v '^testIfRunning'; }               # what it was asked to say or cancel
nvda_last() { nvda_log | grep '^speakText' | tail -n 1 | cut -f 2; }
clear_drive "$U"
mkdir "$U/sub"
printf 'x' > "$U/a.txt"
printf 'x' > "$U/表.txt"    # 0x95 0x5C: its trail byte is a backslash

# ---------------------------------------------------------------------------
scenario "the cursor rows through NVDA when no other reader can be used"
# Beside it, logging what reaches them: SOUNDP.DLL (no reader's window), a PCTKUsr.dll without its entry point.
fresh_program_folder "$NVDA_DLL" SOUNDP.DLL
cp "$DOUBLES/SOUNDP.DLL" "$PROG/PCTKUsr.dll"
list_ini "Disp_Mode=5"
open_at 'U:\' 'U:\*.*'
check "the first row" becomes "しょうなりsubだいなり" nvda_last
keys down down
check "a Shift-JIS name" becomes "表ぴりおどtxt" nvda_last
keys up
check "every row cancels what the one before was saying" becomes \
    "$(printf 'cancelSpeech\nspeakText\t%s\n' しょうなりsubだいなり aぴりおどtxt 表ぴりおどtxt aぴりおどtxt)" nvda_said
quit
check "nothing went elsewhere" equals "$(speech_log)" ""

# ---------------------------------------------------------------------------
scenario "a legacy reader that is running keeps the texts from NVDA"
fresh_program_folder SOUNDP.DLL "$NVDA_DLL"
list_ini "Disp_Mode=5"
(exec wine "$DOUBLES/reader_window.exe" 95Reader) & READER_PID=$!
check "the reader's window is there" drive wait 95Reader reader 30000
open_at 'U:\' 'U:\*.*'
keys down
check "the reader says the rows" spoken "aぴりおどtxt"
quit
check "through SOUNDP.DLL, each of them" equals "$(speech_log | cut -f 1 | sort -u)" SoundMessage
check "and nothing reached NVDA's client" equals "$(nvda_log)" ""
drive close 95Reader reader
wait "$READER_PID"

# ---------------------------------------------------------------------------
scenario "NVDA not running: silence, the program works on, and NVDA started later is found"
fresh_program_folder "$NVDA_DLL"
list_ini "Disp_Mode=5"
: > "$PROG/nvda.off"
open_at 'U:\sub' 'U:\sub\*.*'
keys down up back
check "the keys are taken" becomes 'QRN - U:\*.*' main_title
check "NVDA was asked, and nothing said or cancelled" equals "$(nvda_log | sort -u)" "$(printf 'testIfRunning\t1722')"
rm "$PROG/nvda.off"
# NVDA's answer is taken again a while later: rows are moved over until it is.
found_later() {
    local until=$((SECONDS + 10))
    while [ "$SECONDS" -lt "$until" ]; do keys down up; [ "$(nvda_last)" == "$1" ] && return 0; done
    equals "$(nvda_last)" "$1"
}
check "the rows are said once NVDA runs" found_later "しょうなりsubだいなり"
quit
check "and the program ends normally" equals "$?" 0
