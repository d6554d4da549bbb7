#!/usr/bin/env bash
# Builds the Windows game and starts it under Wine: on your display when there
# is one, else on a virtual display. The game runs from build/windows, laid
# out as a player unpacks it: NerekuSudoku.exe with its help page and its
# "Levels" folder beside it.
#
# On your display it runs in a Wine prefix of its own under your data folder
# (~/.local/share/wineprefixes/nerekusudoku, or NEREKU_WINEPREFIX), whose
# windows your window manager decorates and manages like any other. Not in
# your default ~/.wine: the game's prefix gets fonts and settings of its own,
# which should not change the other Windows programs you run, and it is always
# 64-bit. On a virtual display it runs in the build's test prefix, whose windows
# are unmanaged, since there is no window manager there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target NerekuSudoku nereku

game=build/windows/NerekuSudoku.exe
if [[ -n "${DISPLAY:-}" ]]; then
    prefix=${NEREKU_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/wineprefixes/nerekusudoku}
    prefix=$(realpath -m "$prefix") # Wine takes only an absolute path
    [[ -f "$prefix/.nereku-ready" ]] || echo "Setting up the Wine prefix $prefix (once)."
    exec cmake/wine-run.sh --managed "$prefix" "$game"
fi
echo "No display: the game runs on a virtual one (xvfb-run)."
exec xvfb-run -a -s "-screen 0 1366x768x24" cmake/wine-run.sh "$PWD/build/windows/wineprefix" "$game"
