#!/usr/bin/env bash
# Builds the Windows game and starts it under Wine: on your display when there
# is one, else on a virtual display. The game runs from build/windows, laid
# out as a player unpacks it: NerekuSudoku.exe with its help page and its
# "Levels" folder beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target NerekuSudoku nereku

game=build/windows/NerekuSudoku.exe
run=(cmake/wine-run.sh "$PWD/build/windows/wineprefix" "$game")
if [[ -n "${DISPLAY:-}" ]]; then
    exec "${run[@]}"
fi
echo "No display: the game runs on a virtual one (xvfb-run)."
exec xvfb-run -a -s "-screen 0 1366x768x24" "${run[@]}"
