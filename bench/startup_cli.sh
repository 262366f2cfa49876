#!/usr/bin/env bash
# Start-up cost of korvane-cli against /bin/true, measured in alternating rounds so that both
# see the same machine load. Prints each round's medians and the median ratio.
# Usage: bench/startup_cli.sh [path/to/korvane-cli] [rounds]
set -euo pipefail
cli=${1:-build-release/cli/korvane-cli}
rounds=${2:-5}
command -v hyperfine >/dev/null || { echo "hyperfine is missing (scripts/setup.sh installs it)"; exit 1; }
export KORVANE_SETTINGS=${KORVANE_SETTINGS:-/nonexistent/korvane-bench.ini}
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
ratios=()
for ((r = 1; r <= rounds; r++)); do
    hyperfine -N --warmup 20 --runs 200 --export-json "$tmp/r$r.json" \
        "/bin/true" "$cli convert 1 foot inch" >"$tmp/log" 2>&1 || { cat "$tmp/log"; exit 1; }
    read -r base cli_median < <(python3 -c '
import json, sys
d = json.load(open(sys.argv[1]))["results"]
print(d[0]["median"], d[1]["median"])' "$tmp/r$r.json")
    ratio=$(python3 -c "print(f'{$cli_median / $base:.2f}')")
    printf 'round %d: /bin/true %.0f us, korvane-cli convert %.0f us, ratio %s\n' "$r" \
        "$(python3 -c "print($base*1e6)")" "$(python3 -c "print($cli_median*1e6)")" "$ratio"
    ratios+=("$ratio")
done
python3 -c 'import statistics,sys; print("median ratio korvane-cli / /bin/true:", statistics.median(map(float, sys.argv[1:])))' "${ratios[@]}"
