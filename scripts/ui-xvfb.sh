#!/usr/bin/env bash
# The window tests on a real X server with a window manager and an accessibility bus: what the
# offscreen platform of ctest cannot show, i.e. window activation, keyboard focus, and the
# events that reach assistive technologies.
#
#   scripts/ui-xvfb.sh [build folder]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
program="$build/tests/ui/korvane_ui_tests"
if [ ! -x "$program" ]; then
  echo "ui-xvfb: $program is missing; build the tests first" >&2
  exit 1
fi

# Settings and runtime files stay in a folder of their own; the tests that need a listening
# assistive technology fail instead of skipping.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
# One process per test class, as the ui.<Class> entries of ctest run them (ctest itself cannot
# run them here: those entries choose the offscreen platform). Every class runs; the failed
# ones are named at the end.
run_classes() {
  local program=$1 classes class failed=()
  # A program that cannot list its classes must not pass by running none.
  classes=$("$program" --classes) && [ -n "$classes" ] || {
    echo "ui-xvfb: $program lists no test classes" >&2
    return 1
  }
  for class in $classes; do
    "$program" "$class" || failed+=("$class")
  done
  if [ ${#failed[@]} -gt 0 ]; then
    echo "ui-xvfb: failed: ${failed[*]}" >&2
    return 1
  fi
}
export -f run_classes
env XDG_RUNTIME_DIR="$runtime" LC_ALL=C QT_LOGGING_RULES='qt.qpa.*=false' \
  KORVANE_REQUIRE_ACCESSIBILITY=1 \
  bash scripts/xvfb-session.sh --a11y bash -c 'run_classes "$1"' run_classes "$program"
