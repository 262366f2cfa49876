#!/usr/bin/env bash
# Builds the Release programs and opens the converter window. Without a display it says so
# and shows the same conversion through korvane-cli instead. One line per step; the build's
# own output goes to build-release/run.log, and is shown only when a step fails.
set -euo pipefail
cd "$(dirname "$0")/.."

step() {
    local what=$1; shift
    local start=$SECONDS
    printf 'run: %s ... ' "$what"
    if ! "$@" >>build-release/run.log 2>&1; then
        echo "failed; the last lines of build-release/run.log:"
        tail -n 30 build-release/run.log
        exit 1
    fi
    echo "done ($((SECONDS - start)) s)"
}

mkdir -p build-release
: >build-release/run.log
step "installing the packages the build needs (if missing)" bash scripts/setup.sh run
jobs=$(nproc 2>/dev/null || echo 2)
step "configuring" cmake --preset release
step "building korvane and korvane-cli" cmake --build --preset release -j"$jobs"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: opening the window (build-release/ui/korvane)"
    exec build-release/ui/korvane "$@"
fi

cli=build-release/cli/korvane-cli
echo
echo "No display: neither DISPLAY nor WAYLAND_DISPLAY is set, so the window cannot open here."
echo "Run this script from a desktop session (or under xvfb-run) to see the window."
echo "The same conversion engine works on the command line, for example 2*3 meter in centimeter:"
echo
echo "\$ $cli convert '2*3' meter centimeter"
"$cli" convert '2*3' meter centimeter
