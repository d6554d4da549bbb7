#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of the project's own:
#   wine-run.sh [--managed] PREFIX PROGRAM [ARGS...]
# The prefix is set up once (under a lock, since ctest may run tests in
# parallel):
#  - Wine's own fonts are copied into its Fonts folder. Debian's Wine leaves
#    that folder empty, and without Marlett the caption buttons that Wine draws
#    show letters; without Tahoma the dialogs take another face.
#  - Verdana (the grid's digits) and Consolas (the instructions, which need a
#    fixed pitch), which Wine does not have, are mapped by name to DejaVu Sans
#    and DejaVu Sans Mono, so that they never fall to whichever face is near.
#  - Without --managed, its windows are unmanaged, so that hiding a dialog does
#    not wait for a window manager that Xvfb does not have; that is the tests'
#    prefix. With --managed, the desktop's window manager decorates and manages
#    the game's window: the prefix a player starts the game in.
set -euo pipefail
managed=N
if [ "${1:-}" = --managed ]; then
    managed=Y
    shift
fi
prefix=$1
shift
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=$(command -v wine)

# What the stamp file holds once the prefix is set up as asked; a prefix set up
# otherwise, or by an earlier version of this script, is set up again.
stamp="fonts 1, managed $managed"

set_up_prefix() {
    "$wine" wineboot -i >/dev/null 2>&1 || true
    local data_dir fonts nt_prefix="\\??\\"
    # Wine's data folder, as Wine itself names it (\??\Z:\usr\share\wine).
    data_dir=$("$wine" cmd /c 'echo %WINEDATADIR%' 2>/dev/null | tr -d '\r' || true)
    data_dir=$("$wine" winepath -u "${data_dir#"$nt_prefix"}" 2>/dev/null || true)
    [ -d "$data_dir/fonts" ] || data_dir=/usr/share/wine
    fonts="$prefix/drive_c/windows/Fonts"
    if [ -d "$data_dir/fonts" ]; then
        mkdir -p "$fonts"
        cp -n "$data_dir"/fonts/*.ttf "$data_dir"/fonts/*.fon "$fonts"/ 2>/dev/null || true
    fi
    [ -f "$fonts/marlett.ttf" ] || echo "wine-run.sh: Wine's own fonts not found (install fonts-wine)" >&2
    local key='HKCU\Software\Wine\Fonts\Replacements'
    "$wine" reg add "$key" /v Verdana /d "DejaVu Sans" /f >/dev/null 2>&1
    "$wine" reg add "$key" /v Consolas /d "DejaVu Sans Mono" /f >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1
    wineserver -w || true
    echo "$stamp" >"$prefix/.nereku-ready"
}

if [ "$(cat "$prefix/.nereku-ready" 2>/dev/null)" != "$stamp" ]; then
    mkdir -p "$prefix" # Wine sets up an empty folder as a prefix
    exec 9>"$prefix/.nereku-lock"
    flock 9
    if [ "$(cat "$prefix/.nereku-ready" 2>/dev/null)" != "$stamp" ]; then
        set_up_prefix
    fi
    exec 9>&-
fi
exec "$wine" "$@"
