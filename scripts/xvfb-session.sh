#!/usr/bin/env bash
# Runs a command inside a private X session: Xvfb on a free display with the openbox window
# manager, so windows are activated and take the keyboard focus as on a desktop (the offscreen
# platform and a bare X server never activate a window). With --a11y the session also has its
# own D-Bus session bus and accessibility bus, and Qt programs in it always talk to that bus.
# Everything started here is stopped when the command ends; the command's status is returned.
#
#   scripts/xvfb-session.sh [--a11y] command [arguments...]
set -euo pipefail

a11y=0
if [ "${1:-}" = "--a11y" ]; then
  a11y=1
  shift
fi
if [ $# -eq 0 ]; then
  echo "usage: $0 [--a11y] command [arguments...]" >&2
  exit 2
fi

# A private session bus: dbus-run-session runs this script again inside it and stops the bus
# when it ends.
if [ "$a11y" -eq 1 ] && [ -z "${KORVANE_XVFB_SESSION_BUS:-}" ]; then
  # The bus's own chatter (services it starts, limits it cannot raise) is left out.
  exec dbus-run-session -- env KORVANE_XVFB_SESSION_BUS=1 bash "$0" --a11y "$@" \
    2> >(grep -v -e 'Failed to set fd limit' -e 'Activating service name=' \
      -e 'Successfully activated service' -e 'SpiRegistry daemon is running' >&2)
fi

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display and writes its number once the server accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 1 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "xvfb-session: Xvfb did not start" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
# The window manager is up once it names itself on the root window.
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

if [ "$a11y" -eq 1 ]; then
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/at-spi.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 1 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
      org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
    sleep 0.1
  done
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi

export QT_QPA_PLATFORM=xcb
status=0
"$@" || status=$?
exit "$status"
