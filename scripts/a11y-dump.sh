#!/usr/bin/env bash
# What a screen reader sees of the converter: starts the program on a private X server with a
# private D-Bus session and accessibility bus, makes one conversion (Distance, meter to
# centimeter, 2*3), opens every dialog from the keyboard and then the all-units pane (F9),
# dumping each window's AT-SPI tree.
#
#   scripts/a11y-dump.sh [build folder] [--check]     (default: build)
#
# --check: status 1 when a control a user can reach has no name. Needs the Debian packages
# xvfb openbox dbus-daemon dbus-bin at-spi2-core python3-pyatspi xdotool (scripts/setup.sh
# installs them).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
check=()
for argument in "$@"; do
  case "$argument" in
    --check) check=(--check) ;;
    *) build=$argument ;;
  esac
done
program="$build/ui/korvane"
if [ ! -x "$program" ]; then
  echo "a11y-dump: $program is missing; build first" >&2
  exit 1
fi

# A settings file of its own: Distance is the category the window opens with, and the user's
# own settings are never touched.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 700 "$work"
printf '[Settings]\nLastCategory=Distance\n' >"$work/Tabrivo.ini"

session() {
  "$program" >"$work/korvane.log" 2>&1 &
  local pid=$!
  local status=0
  /usr/bin/python3 scripts/a11y_dump.py "$@" || status=$?
  # The dump ends the program with Esc; make sure it has gone.
  for _ in $(seq 1 30); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  return "$status"
}
export -f session
export program work
env KORVANE_SETTINGS="$work/Tabrivo.ini" XDG_RUNTIME_DIR="$work" LC_ALL=C \
  bash scripts/xvfb-session.sh --a11y bash -c 'session "$@"' session "${check[@]}"
