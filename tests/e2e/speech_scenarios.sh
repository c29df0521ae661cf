# Scenarios of speech through NVDA's controller client, which takes the texts
# only while neither legacy reader can be used and NVDA says it is running.
# shellcheck shell=bash
NVDA_DLL=nvdaControllerClient$([ "${QRN_WINE_BITS:-32}" = 64 ] && echo 64 || echo 32).dll
nvda_log() { tr -d '\r' 2>/dev/null < "$PROG/nvda.log"; }     # the stand-in's calls, UTF-8
nvda_last() { nvda_log | grep '^speakText' | tail -n 1 | cut -f 2; }
clear_drive "$U"
mkdir "$U/sub"

# ---------------------------------------------------------------------------
scenario "the cursor row through NVDA when no other reader can be used"
# Beside it, logging what reaches them: SOUNDP.DLL (no reader's window), a PCTKUsr.dll without its entry point.
fresh_program_folder "$NVDA_DLL" SOUNDP.DLL
cp "$DOUBLES/SOUNDP.DLL" "$PROG/PCTKUsr.dll"
list_ini "Disp_Mode=5"
open_at 'U:\' 'U:\*.*'
check "the first row" becomes "しょうなりsubだいなり" nvda_last
quit
check "nothing went elsewhere" equals "$(speech_log)" ""

# ---------------------------------------------------------------------------
scenario "NVDA not running: silence, and the program works on"
fresh_program_folder "$NVDA_DLL"
list_ini "Disp_Mode=5"
: > "$PROG/nvda.off"
open_at 'U:\sub' 'U:\sub\*.*'
keys down up back
check "the keys are taken" becomes 'QRN - U:\*.*' main_title
check "NVDA was asked, and nothing said or cancelled" equals "$(nvda_log | sort -u)" "$(printf 'testIfRunning\t1722')"
quit
check "and the program ends normally" equals "$?" 0
