#!/usr/bin/env bash
# Start-up cost of `korvane-cli convert 1 foot inch` against /bin/true, measured in alternating
# rounds so both see the same machine load: once without a settings file and once with a
# realistic one (42 visibility keys, 5 custom categories of 10 units). Prints each round's
# medians and the median ratios.
# Usage: bench/startup_cli.sh [path/to/korvane-cli] [rounds]
set -euo pipefail
cli=${1:-build-release/cli/korvane-cli}
rounds=${2:-5}
command -v hyperfine >/dev/null || { echo "hyperfine is missing (scripts/setup.sh installs it)"; exit 1; }
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

"$cli" --no-settings categories | python3 -c '
import sys
names = [l.rstrip("\n") for l in sys.stdin]
out = ["[Settings]", "Format=0", "Precision=5", "ShowAbbreviation=TRUE", "OnTop=FALSE",
       "RememberCategory=TRUE", "LastCategory=Distance", "LastUnitTo=3", "LastUnitFrom=7"]
out += [f"Custom_{n}=custom {n}" for n in range(1, 6)]
for name in names:
    out += ["", f"[{name}]", "Visibility=1"]
for n in range(1, 6):
    out += ["", f"[custom {n}]", "CustomUnits=10"]
    for u in range(1, 11):
        out += [f"CustomUnit_{u}=Unit {u}", f"CustomValue_{u}={u}.00000000000000"]
print("\n".join(out))' >"$tmp/realistic.ini"

median() { python3 -c 'import json,sys; d=json.load(open(sys.argv[1]))["results"]; print(" ".join(str(r["median"]) for r in d))' "$1"; }

no_settings=()
with_settings=()
for ((r = 1; r <= rounds; r++)); do
    hyperfine -N --warmup 20 --runs 200 --export-json "$tmp/r$r.json" \
        "/bin/true" \
        "$cli --settings /nonexistent/korvane-bench.ini convert 1 foot inch" \
        "$cli --settings $tmp/realistic.ini convert 1 foot inch" >"$tmp/log" 2>&1 || { cat "$tmp/log"; exit 1; }
    read -r base bare realistic < <(median "$tmp/r$r.json")
    read -r ratio_bare ratio_real < <(python3 -c "print(f'{$bare/$base:.2f} {$realistic/$base:.2f}')")
    printf 'round %d: /bin/true %.0f us; korvane-cli no settings %.0f us (%sx), realistic settings %.0f us (%sx)\n' \
        "$r" "$(python3 -c "print($base*1e6)")" "$(python3 -c "print($bare*1e6)")" "$ratio_bare" \
        "$(python3 -c "print($realistic*1e6)")" "$ratio_real"
    no_settings+=("$ratio_bare")
    with_settings+=("$ratio_real")
done
python3 -c 'import statistics,sys; print("median ratio to /bin/true: no settings", statistics.median(map(float, sys.argv[1].split())), "- realistic settings", statistics.median(map(float, sys.argv[2].split())))' "${no_settings[*]}" "${with_settings[*]}"
