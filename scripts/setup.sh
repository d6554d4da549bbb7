#!/usr/bin/env bash
# Installs what the build and the tests need, on Debian or Ubuntu, when it is
# missing. Quick when everything is there: it asks apt only for what lacks.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev   # native build, sanitizers, libFuzzer
    googletest libgtest-dev libbenchmark-dev          # tests (sources for Windows) and benchmarks
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64    # the Windows build
    wine wine64 xvfb xauth                            # running it, headless
    imagemagick                                       # screenshots of the window
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
