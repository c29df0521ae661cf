# What the e2e scenarios share; sourced by run_e2e.sh.
# shellcheck shell=bash
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

# ini_value SECTION KEY: the value in qrn.ini, read as UTF-8
ini_value() {
    iconv -f CP932 -t UTF-8 "$PROG/qrn.ini" 2>/dev/null | tr -d '\r' | awk -v s="[$1]" -v k="$2" '
        /^\[/ { in_s = ($0 == s); next }
        in_s && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }'
}
ini_becomes() { becomes "$3" ini_value "$1" "$2"; }   # ini_becomes SECTION KEY VALUE
# ini_table: lines "DESCRIPTION|SECTION|KEY|VALUE" on stdin, each a check
ini_table() { local w s k v; while IFS='|' read -r w s k v; do check "$w" equals "$(ini_value "$s" "$k")" "$v"; done; }
# write_ini LINES... (UTF-8 text, stored as Shift-JIS with CRLF)
write_ini() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 > "$PROG/qrn.ini"; }
# open_u QRN.INI-LINES...: the list on U:\, qrn.ini those lines after list_ini's
open_u() { fresh_program_folder PCTKUsr.dll; list_ini "$@"; open_at 'U:\' 'U:\*.*'; }
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
main_state() { ask rect QRN "QRN - " | awk '{ print $7 }'; }
dialogs() { ask count '#32770' "$1"; }             # dialogs TITLE|-: how many are open
# The input line of the dialog TITLE; a marker (and failure) while no such dialog is open.
input_text() { local t; t=$(drive gettext '#32770' "$1" '#1033') || { echo "(no $1)"; return 1; }; echo "${t//$'\r'/}"; }
# type_line TITLE TEXT BUTTON: the input line of the dialog TITLE answered
type_line() { drive settext '#32770' "$1" '#1033' "$2"; drive press '#32770' "$1" "$3"; }
answer() { drive press '#32770' "$1" "$2"; drive gone '#32770' "$1" 10000; }   # answer TITLE BUTTON
# question TITLE TEXT: a message box of exactly that title comes up naming TEXT
question() { drive wait '#32770' "=$1" 10000 && contains "$(ask texts '#32770' "=$1")" "$2"; }
dest_title() { ask title 'QRN Destination' -; }

# drop_files TITLE X Y PATH...: the Linux files PATH dropped from outside (xdnd_drop.c) on the client
# point (X, Y) of the window titled TITLE, the pointer left there. Without a window manager the X window
# of a captioned window is the window less frame and caption: a menu bar on top, the client area below.
drop_files() {
    local x=$2 y=$3 ch win wx wy wh
    [ "$BUILD/xdnd_drop" -nt "$HERE/xdnd_drop.c" ] || cc -O2 -Wall -o "$BUILD/xdnd_drop" "$HERE/xdnd_drop.c" -lX11 || return 1
    win=$(xdotool search --onlyvisible --name "^$(sed 's/[][\.*^$+?(){}|]/\\&/g' <<< "$1")\$" | head -n 1)
    ch=$(ask rect - "=$1" | awk '{ print $6 }')
    [[ -n $win && -n $ch ]] || { say "  no window titled $1"; return 1; }
    read -r wx wy wh < <(xdotool getwindowgeometry --shell "$win" | awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["HEIGHT"] }')
    shift 3
    "$BUILD/xdnd_drop" "$win" $((wx + x)) $((wy + wh - ch + y)) "$@"
}

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

# The commands that choose a destination.
# to TITLE DRIVE DIR [KEYS...]: the drive window of the command takes the
# drive, KEYS walk the destination window to DIR, and Enter on its execution
# row confirms it. That window names the operation, not the command.
to() {
    local title=$1 letter=$2 dir=$3
    shift 3
    drive wait 'QRN LogDisk' "$title" 10000 || return 1
    drive keys 'QRN LogDisk' - "$letter" enter
    case $title in 'Mask File Copy') title='File Copy' ;; 'Mirror Copy') title=MirrorCopy ;; 'Unpack File') title=UnpackArc ;; esac
    drive wait 'QRN Destination' "$title" 10000 || return 1
    [ $# -eq 0 ] || drive keys 'QRN Destination' - "$@"
    drive wait 'QRN Destination' "=$title $dir" 10000 || { say "  the destination window shows $(dest_title)"; return 1; }
    SPOKEN_BEFORE=$(spoken_count)
    drive keys 'QRN Destination' - enter
}
# said TEXT [TENTHS]: the command has ended and said TEXT (after what it said before), within 15 s or TENTHS
said() {
    local i
    for i in $(seq 1 "${2:-150}"); do
        [ "$(spoken_count)" -gt "$SPOKEN_BEFORE" ] && [ "$(last_spoken)" == "$1" ] && return 0
        sleep 0.1
    done
    equals "$(last_spoken)" "$1"
}
# files_in DIR: what lies below DIR, one line of paths
files_in() { (cd "$1" && find . -mindepth 1 ! -name .windows-label | sort | tr '\n' ' '); }
# The drives' folders; the list's cells (CW wide, LH high).
drive_dir() { readlink -f "$WINEPREFIX/dosdevices/$1:"; }
clear_drive() { chmod -R u+w "$1"; find "$1" -mindepth 1 -maxdepth 1 ! -name .windows-label -exec rm -rf {} +; }
U=$(drive_dir u)
read -r LH CW <<< "$(ask metrics FixedSys 16 128)"
Y0=$((LH / 4)) TOP=$((LH / 4 + 4 * LH)) X0=$((CW / 2))
# row_point ROW [COLUMN]: a point in that row (a second click elsewhere in it is no double-click)
row_point() { echo "$((X0 + ${2:-3} * CW)) $((TOP + $1 * LH + LH / 2))"; }

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
# KEYS "=" checks that nothing moved. The keys go to the list, or through $KEYS.
key_table() {
    local k want what
    while IFS='|' read -r k want what; do
        want=$(eval "echo \"$want\"")
        if [ "$k" == "=" ]; then check "$what" settled "$want"; else
            # shellcheck disable=SC2086
            ${KEYS:-keys} $k
            check "$what" spoken "$want"
        fi
    done
}

