#!/usr/bin/env bash
# Makes the starter levels in resources/levels/ with the nereku tool, from the
# arguments recorded in resources/levels/levels.txt: the same tool makes the
# same files, byte for byte.
#
#   scripts/make-starter-levels.sh [NEREKU [FOLDER]]
#
# NEREKU defaults to build/native/tools/nereku (cmake --build --preset native),
# FOLDER to resources/levels. Each level's report (grade, techniques, givens,
# signs) is printed as it is made.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
tool="${1:-$root/build/native/tools/nereku}"
folder="${2:-$root/resources/levels}"
list="$root/resources/levels/levels.txt"

if [[ ! -x "$tool" ]]; then
    echo "make-starter-levels: no tool at $tool; build it with: cmake --build --preset native" >&2
    exit 1
fi
mkdir -p "$folder"
while IFS='|' read -r name arguments; do
    [[ -z "$name" || "$name" == \#* ]] && continue
    echo "== $name"
    # The arguments are words without quotes: split them on purpose.
    # shellcheck disable=SC2086
    "$tool" make $arguments "$folder/$name.lvl"
done <"$list"
