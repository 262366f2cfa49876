#!/usr/bin/env bash
# Start-up cost of one-shot korvane-cli commands against /bin/true, measured in alternating
# rounds so all see the same machine load: `convert 1 foot inch` as typed, and with --settings
# naming no file and a realistic one (42 visibility keys, 5 custom categories of 10 units), and
# the free-form `convert '5 ft 7 3/8 in to cm'` as typed. Prints each round's medians and the
# median ratios.
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

plain=()
no_settings=()
with_settings=()
free_form=()
for ((r = 1; r <= rounds; r++)); do
    hyperfine -N --warmup 20 --runs 200 --export-json "$tmp/r$r.json" \
        "/bin/true" \
        "$cli convert 1 foot inch" \
        "$cli --settings /nonexistent/korvane-bench.ini convert 1 foot inch" \
        "$cli --settings $tmp/realistic.ini convert 1 foot inch" \
        "$cli convert '5 ft 7 3/8 in to cm'" >"$tmp/log" 2>&1 || { cat "$tmp/log"; exit 1; }
    read -r base typed bare realistic text < <(median "$tmp/r$r.json")
    read -r ratio_typed ratio_bare ratio_real ratio_text < <(python3 -c \
        "print(f'{$typed/$base:.2f} {$bare/$base:.2f} {$realistic/$base:.2f} {$text/$base:.2f}')")
    printf 'round %d: /bin/true %.0f us; convert 1 foot inch %sx, with --settings: no file %sx, realistic %sx; free-form %sx\n' \
        "$r" "$(python3 -c "print($base*1e6)")" "$ratio_typed" "$ratio_bare" "$ratio_real" "$ratio_text"
    plain+=("$ratio_typed")
    no_settings+=("$ratio_bare")
    with_settings+=("$ratio_real")
    free_form+=("$ratio_text")
done
python3 -c '
import statistics, sys
names = ["convert 1 foot inch", "--settings (no file)", "--settings (realistic)", "convert TEXT"]
print("median ratio to /bin/true:", "; ".join(f"{n} {statistics.median(map(float, v.split()))}" for n, v in zip(names, sys.argv[1:])))
' "${plain[*]}" "${no_settings[*]}" "${with_settings[*]}" "${free_form[*]}"
