#!/usr/bin/env bash
# Installs what the build and the tests need, on Debian or Ubuntu, when it is
# missing. Quick when everything is there: it asks apt only for what lacks.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang                       # native build, sanitizers
    googletest libgtest-dev libbenchmark-dev          # tests (sources for Windows) and benchmarks
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64    # the Windows build
    wine wine64 xvfb xauth                            # running it, headless
    fonts-wine fonts-dejavu-core                      # Wine's own fonts; the faces for Verdana and Consolas
    imagemagick                                       # screenshots of the window
)

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
updated=false

# Installs the packages given that are not installed yet.
install_missing() {
    local missing=() package status
    for package in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
        [[ "$status" == "install ok installed" ]] || missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    if ! $updated; then
        $sudo apt-get update -qq
        updated=true
    fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

install_missing "${packages[@]}"

# The sanitizer and libFuzzer runtimes come in a package named after clang's
# version (Debian 12: libclang-rt-14-dev); where there is none, the compiler
# package already carries them.
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
runtime="libclang-rt-${clang_major}-dev"
if ! dpkg-query -W -f='${Status}' "$runtime" 2>/dev/null | grep -q "install ok installed"; then
    if $updated || { $sudo apt-get update -qq && updated=true; }; then
        if apt-cache show "$runtime" >/dev/null 2>&1; then
            install_missing "$runtime"
        fi
    fi
fi
