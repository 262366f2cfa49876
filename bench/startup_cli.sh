#!/usr/bin/env bash
# Start-up cost of one-shot korvane-cli commands against /bin/true, each timed side by side with
# /bin/true (A, B, A, B, ...: bench/paired_start.cpp) so that the drift of the machine's speed
# falls out of the ratio: `convert 1 foot inch` as typed, and with --settings naming no file and
# a realistic one (42 visibility keys, 5 custom categories of 10 units), and the free-form
# `convert '5 ft 7 3/8 in to cm'`. Prints the median ratio of each over PAIRS pairs.
#
# How the system's file cache holds the program moves the figures too: here the same bytes
# copied with cp started up to 13% faster than the file the linker wrote, until the cache had
# held them a while. --copy times such a fresh copy; compare like with like.
#
# Usage: bench/startup_cli.sh [--copy] [build folder] [pairs]
set -euo pipefail
copy=false
if [ "${1:-}" = "--copy" ]; then
    copy=true
    shift
fi
build=${1:-build}
pairs=${2:-300}
cli=$build/cli/korvane-cli
timer=$build/bench/korvane_paired_start
[ -x "$timer" ] || { echo "$timer is missing: build the benchmarks (the test preset does)"; exit 1; }
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
if $copy; then
    cp "$cli" "$tmp/korvane-cli"
    cli=$tmp/korvane-cli
fi

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

measure() {
    printf '%-48s ' "$1"
    shift
    "$timer" "$pairs" "$*" /bin/true
}
measure "convert 1 foot inch" "$cli convert 1 foot inch"
measure "--settings (no file) convert 1 foot inch" \
    "$cli --settings /nonexistent/korvane-bench.ini convert 1 foot inch"
measure "--settings (realistic) convert 1 foot inch" \
    "$cli --settings $tmp/realistic.ini convert 1 foot inch"
measure "convert '5 ft 7 3/8 in to cm'" "$cli convert '5 ft 7 3/8 in to cm'"
