#!/usr/bin/env bash
# Start-up of the converter window against a minimal Qt dialog, on a private Xvfb server:
# the time from launch until the X server maps the program's first window (observed from
# outside by korvane_map_timer), and the resident memory once it idles. The two programs
# run interleaved in one session; the medians and their ratios are printed.
#
#   bench/startup_window.sh [build-dir] [runs]      (default: build 15)
#
# KORVANE_BASELINE=<another korvane program>, for example one built from an earlier commit,
# joins the rotation; its median and the ratio of this build's to it are printed too.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-15}
idle_seconds=1

timer=$build/bench/korvane_map_timer
minimal=$build/bench/korvane_minimal_dialog
converter=$build/ui/korvane
for program in "$timer" "$minimal" "$converter"; do
    if [ ! -x "$program" ]; then
        echo "startup_window: $program is missing; build first:" >&2
        echo "  cmake -S . -B $build && cmake --build $build -j2 --target korvane korvane_minimal_dialog korvane_map_timer" >&2
        exit 2
    fi
done
command -v Xvfb >/dev/null || { echo "startup_window: Xvfb is not installed" >&2; exit 2; }

work=$(mktemp -d)
server_pid=
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
server_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

# The converter keeps its settings in the temporary folder, never in the user's.
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config"
export KORVANE_SETTINGS="$work/Tabrivo.ini" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$work/config" "$work/runtime" && chmod 700 "$work/runtime"

# One measurement: "<ms> <rss-kB>" on stdout.
measure() {
    local ms pid rss
    # To a file: the program inherits the output, and a pipe would wait for it to end.
    "$timer" "$@" >"$work/timer" 2>>"$work/errors" || { cat "$work/errors" >&2; return 1; }
    read -r ms pid <"$work/timer"
    sleep "$idle_seconds"
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    # The timer is the parent; the child is reaped once it ends.
    while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
    echo "$ms $rss"
}

baseline=${KORVANE_BASELINE:-}
if [ -n "$baseline" ] && [ ! -x "$baseline" ]; then
    echo "startup_window: KORVANE_BASELINE=$baseline is not a program" >&2
    exit 2
fi

# One warm-up of each, so all start from the same file-system cache.
measure "$minimal" >/dev/null
measure "$converter" >/dev/null
if [ -n "$baseline" ]; then measure "$baseline" >/dev/null; fi
for i in $(seq "$runs"); do
    if [ $((i % 2)) -eq 1 ]; then
        echo "minimal $(measure "$minimal")" >>"$work/results"
        echo "converter $(measure "$converter")" >>"$work/results"
        if [ -n "$baseline" ]; then echo "baseline $(measure "$baseline")" >>"$work/results"; fi
    else
        if [ -n "$baseline" ]; then echo "baseline $(measure "$baseline")" >>"$work/results"; fi
        echo "converter $(measure "$converter")" >>"$work/results"
        echo "minimal $(measure "$minimal")" >>"$work/results"
    fi
done

python3 - "$work/results" "$runs" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
def column(name, i):
    return [float(r[i]) for r in rows if r[0] == name]
t_min, t_conv = statistics.median(column("minimal", 1)), statistics.median(column("converter", 1))
m_min, m_conv = statistics.median(column("minimal", 2)), statistics.median(column("converter", 2))
print(f"runs: {sys.argv[2]} of each, interleaved")
print(f"time to mapped window (median): minimal {t_min:.1f} ms, korvane {t_conv:.1f} ms, "
      f"ratio {t_conv / t_min:.2f} (goal <= 1.50)")
print(f"idle resident memory (median):  minimal {m_min / 1024:.1f} MiB, korvane {m_conv / 1024:.1f} MiB, "
      f"ratio {m_conv / m_min:.2f} (goal <= 1.30)")
if column("baseline", 1):
    t_base, m_base = statistics.median(column("baseline", 1)), statistics.median(column("baseline", 2))
    print(f"against the baseline program:   time {t_base:.1f} ms, ratio {t_conv / t_base:.2f} "
          f"(goal <= 1.05); memory {m_base / 1024:.1f} MiB, ratio {m_conv / m_base:.2f}")
PY
