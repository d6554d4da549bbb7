#!/usr/bin/env bash
# Builds everything and runs every test:
#   native   engine, class library, string tables, tool, benchmarks (built, not run)
#   sanitize the same with clang, AddressSanitizer and UBSan, plus a fuzzer smoke run
#   windows  the mingw-w64 build, its tests under Wine on a virtual display
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

for preset in native sanitize windows; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j2
done

for preset in native sanitize; do
    echo "== tests: $preset"
    ctest --preset "$preset"
done
echo "== tests: windows (Wine)"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset windows
