#!/usr/bin/env bash
# Throughput of `korvane-cli convert --batch` on generated requests, in requests per second,
# against reading the same file with `wc -l` as the baseline of this machine's I/O.
# Usage: bench/batch_throughput.sh [path/to/korvane-cli] [requests]
set -euo pipefail
cli=${1:-build-release/cli/korvane-cli}
count=${2:-100000}
export KORVANE_SETTINGS=${KORVANE_SETTINGS:-/nonexistent/korvane-bench.ini}
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
# Requests drawn from the whole catalogue: every unit against the next one of its category.
"$cli" units --tsv | python3 -c '
import sys, random
random.seed(7)
rows = [l.rstrip("\n").split("\t") for l in sys.stdin][1:]
by_cat = {}
for r in rows: by_cat.setdefault(r[1], []).append(r[3])
pairs = [(c, u[i], u[(i + 1) % len(u)]) for c, u in by_cat.items() for i in range(len(u))]
n = int(sys.argv[1])
out = sys.stdout
for k in range(n):
    c, a, b = pairs[k % len(pairs)]
    value = "ff" if c == "Numbers" else f"{random.uniform(-1000, 1000):.6g}"
    out.write(f"{value}\t{a}\t{b}\t{c}\n")' "$count" >"$tmp/requests.tsv"
hyperfine -N -i --warmup 2 --runs 10 --export-json "$tmp/r.json" \
    "wc -l $tmp/requests.tsv" "$cli convert --batch $tmp/requests.tsv" >"$tmp/log" 2>&1 || { cat "$tmp/log"; exit 1; }
python3 -c '
import json, sys
d = json.load(open(sys.argv[1]))["results"]
n = int(sys.argv[2])
base, cli = d[0]["median"], d[1]["median"]
print(f"{n} requests: batch median {cli*1e3:.1f} ms -> {n/cli:,.0f} requests/s; wc -l {base*1e3:.1f} ms; ratio {cli/base:.1f}x")' "$tmp/r.json" "$count"
