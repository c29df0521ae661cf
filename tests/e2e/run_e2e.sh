#!/bin/bash
# End-to-end scenarios: the real qrn.exe under Wine on an X display, driven
# through qrndrive.exe (window texts, buttons, keys through the input queue).
# Expects the environment of scripts/wine_env.sh with a fresh WINEPREFIX and
# DISPLAY set.   usage: run_e2e.sh WIN32_BUILD_DIR [PART...]
# PARTs (startup list launch fileops windows transfer archive pager setup speech) pick scenario files; all by default.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
shift
for part in ${*:-startup list launch fileops windows transfer archive pager setup speech}; do
    # shellcheck disable=SC1090
    [ -f "$HERE/${part}_scenarios.sh" ] && source "$HERE/${part}_scenarios.sh"
done
wineserver -k 2>/dev/null
say "e2e: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
