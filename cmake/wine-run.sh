#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix:
#   wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is booted once (under a lock, since ctest may run tests in parallel),
# and told to create unmanaged windows, so that hiding a dialog does not wait for
# a window manager that Xvfb does not have.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=$(command -v wine)

if [ ! -f "$prefix/.nereku-ready" ]; then
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -f "$prefix/.nereku-ready" ]; then
        "$wine" wineboot -i >/dev/null 2>&1 || true
        "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wineserver -w || true
        touch "$prefix/.nereku-ready"
    fi
    exec 9>&-
fi
exec "$wine" "$@"
