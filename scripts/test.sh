#!/usr/bin/env bash
# Builds everything and runs every test: the Release build (what ships, benchmarks built but not
# run), the Debian package with its validators and its unpacked programs, then the whole suite
# again under AddressSanitizer and UndefinedBehaviorSanitizer, then the bounded fuzzing run, and
# last the Windows build of the core and korvane-cli with its tests under Wine. Every build treats a compiler warning as an error. Each phase prints
# its time, so a slow step shows in the log.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen
# The configurations are the presets of CMakePresets.json; their test presets show the output
# of a failed test and fail a build or directory without tests, so it never passes as green.

phase_start=$SECONDS
phase() {
    echo "== $1"
    phase_start=$SECONDS
}
phase_done() {
    echo "== $1: $(( SECONDS - phase_start )) s"
}

phase "set-up"
bash scripts/setup.sh
phase_done "set-up"

phase "build (Release, with the benchmarks)"
cmake --preset test
cmake --build --preset test -j"$jobs"
phase_done "build (Release)"

phase "test (Release)"
ctest --preset test -j"$jobs"
phase_done "test (Release)"

phase "window tests on a real X server (Xvfb, openbox, accessibility bus)"
bash scripts/ui-xvfb.sh build
# What a screen reader sees of every window; the whole dump is kept beside the build.
if ! bash scripts/a11y-dump.sh build --check >build/a11y-dump.txt 2>&1; then
  cat build/a11y-dump.txt
  exit 1
fi
grep '^== Every control' build/a11y-dump.txt
phase_done "window tests on a real X server"

phase "Debian package: build, validate the metadata, run the unpacked programs"
bash scripts/package.sh build-package
phase_done "Debian package"

phase "build under AddressSanitizer and UndefinedBehaviorSanitizer (Debug)"
cmake --preset sanitizers
cmake --build --preset sanitizers -j"$jobs"
phase_done "build (Debug, sanitizers)"

phase "test under AddressSanitizer and UndefinedBehaviorSanitizer"
# The preset sets ASAN_OPTIONS and UBSAN_OPTIONS: leaks count, and the first report stops the test.
ctest --preset sanitizers -j"$jobs"
phase_done "test (Debug, sanitizers)"

phase "bounded fuzzing"
bash scripts/fuzz.sh
phase_done "bounded fuzzing"

phase "Windows build and tests under Wine"
bash scripts/windows.sh
phase_done "Windows build and tests under Wine"

echo "== all tests passed in $SECONDS s"
