#!/usr/bin/env bash
# Cross-compiles the core, korvane-cli and the core's tests for 64-bit Windows with MinGW-w64
# (warnings as errors), then runs the tests and the CLI's golden files under Wine, headless, in
# a private Wine prefix that is thrown away afterwards. Everything is built in build-windows/:
# GoogleTest from Debian's sources with the same compiler (build-windows/deps), then the
# programs (build-windows/korvane, korvane-cli.exe in its cli/ folder). The window is not built:
# it needs a Qt for Windows.
#
#   bash scripts/windows.sh             build and test
#   bash scripts/windows.sh --build     build only (no Wine needed)
set -euo pipefail
cd "$(dirname "$0")/.."

build=$PWD/build-windows
deps=$build/deps
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc 2>/dev/null || echo 2)
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-$(command -v ccache || true)}

# Runs a step with its output in a log, which is shown only when the step fails.
quietly() {
    local log=$1
    shift
    if ! "$@" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "windows: failed: $* (full log: $log)"
        exit 1
    fi
}

build_dependencies() {
    mkdir -p "$deps/include" "$deps/share/cmake/CLI11"
    if [ ! -f "$deps/lib/cmake/GTest/GTestConfig.cmake" ]; then
        echo "== GoogleTest for Windows (from /usr/src/googletest)"
        quietly "$build/googletest.log" cmake -S /usr/src/googletest -B "$build/googletest" \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF \
            -DCMAKE_INSTALL_PREFIX="$deps"
        quietly "$build/googletest.log" cmake --build "$build/googletest" -j"$jobs"
        quietly "$build/googletest.log" cmake --install "$build/googletest"
    fi
    # CLI11 is headers only: Debian's copy serves, seen through a prefix of its own so the
    # cross compiler never searches the build machine's /usr/include.
    ln -sfn /usr/include/CLI "$deps/include/CLI"
    cp /usr/share/cmake/CLI11/CLI11Config*.cmake "$deps/share/cmake/CLI11/"
}

build_programs() {
    echo "== build for Windows (MinGW-w64, Release, warnings as errors)"
    # The preset "windows" builds in $build/korvane with the toolchain file; the places of this
    # machine's dependencies and of Wine are given here.
    quietly "$build/configure.log" cmake --preset windows \
        -DCMAKE_FIND_ROOT_PATH="$deps" -DCMAKE_CROSSCOMPILING_EMULATOR="$wine"
    quietly "$build/build.log" cmake --build --preset windows -j"$jobs"
}

# A fresh prefix in a temporary folder: no display, no Mono or Gecko installer, no debug
# chatter; the machine's own ~/.wine is never touched.
start_wine() {
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvane-wine.XXXXXX")
    export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export WINESERVER=$wineserver
    # Wine reads the program's arguments in the locale's character set.
    export LC_ALL=C.UTF-8
    unset DISPLAY WAYLAND_DISPLAY
    trap stop_wine EXIT
    echo "== Wine prefix in $WINEPREFIX"
    # One server for the whole run, started first: the system processes the prefix's creation
    # starts then stay up, attached to the log. Started later by the first test program, they
    # would hold on to its output pipe and keep ctest waiting for it to close.
    mkdir -p "$WINEPREFIX"
    "$wineserver" -p
    quietly "$scratch/wineboot.log" "$wine" wineboot --init

    # The tests' own drive and share, for the settings file at the root of the program's drive.
    mkdir -p "$scratch/drive" "$scratch/share" "$WINEPREFIX/dosdevices/unc/korvane-test"
    ln -s "$scratch/drive" "$WINEPREFIX/dosdevices/t:"
    ln -s "$scratch/share" "$WINEPREFIX/dosdevices/unc/korvane-test/share"
    export KORVANE_TEST_DRIVE='T:' KORVANE_TEST_SHARE='\\korvane-test\share'
    # The build folder is a drive of its own too: a program there keeps its default settings
    # file in build-windows/korvane/Tabrivo.ini, not at the root of this machine.
    rm -f "$build/korvane/Tabrivo.ini" "$build/korvane/Tabrivo.ini.lock"
    ln -s "$build/korvane" "$WINEPREFIX/dosdevices/b:"
}

stop_wine() {
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
    rm -rf "$scratch"
}

bash scripts/setup.sh
mkdir -p "$build"
build_dependencies
build_programs
if [ "${1:-}" = "--build" ]; then
    echo "== built: $build/korvane/cli/korvane-cli.exe"
    exit 0
fi
echo "== built in ${SECONDS} s"
start_wine
echo "== tests under Wine"
# A program start under Wine once in a while ends at once with no output at all when the
# machine is loaded (seen once in some twenty runs), so a failed test gets one second start.
# A test that needed it is named as flaky in the log, so that a test which fails now and then
# for a reason of its own shows up instead of passing quietly; a test that fails both starts
# fails the run, with the output of each failed start.
if ! ctest --preset windows -j"$jobs"; then
    failed_log=$build/korvane/Testing/Temporary/LastTestsFailed.log
    first_failures=$(cut -d: -f2- "$failed_log" 2>/dev/null | tr '\n' ' ')
    echo "== second start of: $first_failures"
    ctest --preset windows --rerun-failed
    for name in $first_failures; do
        echo "windows: flaky: $name failed its first start and passed its second"
    done
fi
echo "== Windows tests passed (${SECONDS} s in all)"
