#!/usr/bin/env bash
# Builds the package, unpacks it into a folder whose path has blanks, and runs
# the end-to-end test of the unpacked game there:
#   test-package.sh BUILD_FOLDER E2E_TESTS_PROGRAM
set -euo pipefail
build=$1
tests=$2
here=$(cd "$(dirname "$0")" && pwd)
cmake --build "$build" --target package >/dev/null
zip=$(ls "$build"/package/NerekuSudoku-*-win64.zip)
unpacked="$build/package/unpacked here/My Games"
rm -rf "$build/package/unpacked here"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
game=$(ls -d "$unpacked"/NerekuSudoku-*-win64)
# The unpacked folder holds one folder: the game's.
[ "$(ls "$unpacked" | wc -l)" -eq 1 ]
export NEREKU_PACKAGE_FOLDER="Z:$(printf '%s' "$game" | tr '/' '\\')"
"$here/wine-display-run.sh" 1366x768 "$build/wineprefix" "$tests" --gtest_filter='Package.*'
