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
# Every class in one process, in the program's order (the ctest entries, ui.<Class>, run one
# class per process, offscreen). PictureTest's check that the start-up message is centred reads
# the box's frame on a 20 ms poll, before or after the window manager has framed it: it fails
# most times when that class starts the process, and now and then in the whole run under load.
# The classes run one by one here once that check waits for the frame.
env XDG_RUNTIME_DIR="$runtime" LC_ALL=C QT_LOGGING_RULES='qt.qpa.*=false' \
  KORVANE_REQUIRE_ACCESSIBILITY=1 \
  bash scripts/xvfb-session.sh --a11y "$program"
