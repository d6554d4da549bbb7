#!/usr/bin/env bash
# Runs a Windows program under Wine on a virtual display of its own size:
#   wine-display-run.sh WIDTHxHEIGHT PREFIX PROGRAM [ARGS...]
# The prefix's Wine server is stopped before and after, so that the program's
# desktop takes this display and its size, not that of an earlier run.
set -uo pipefail
size=$1
prefix=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
stop_server() {
    if [ -d "$prefix" ]; then
        WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
        WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1
    fi
}
stop_server
xvfb-run -a -s "-screen 0 ${size}x24" "$here/wine-run.sh" "$prefix" "$@"
status=$?
stop_server
exit $status
