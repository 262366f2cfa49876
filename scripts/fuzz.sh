#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and fuzzes each for a bounded time on a
# copy of its corpus in fuzz/corpus/<target>: the expression evaluator, the settings file
# readers, then the free-form reader. KORVANE_FUZZ_SECONDS (default 70) is the time of the whole
# run; the evaluator gets three sevenths of it, the other two two sevenths each. Any finding - a
# crash, a sanitizer report, a leak, a timeout or a broken invariant - fails the script; the full
# logs stay in build-fuzz/fuzz-<target>.log.
#
#   scripts/fuzz.sh           fuzz; the repository is left as it is (what CI runs)
#   scripts/fuzz.sh --merge   fuzz, then merge the inputs that reach new code into
#                             fuzz/corpus/<target>, within the size budget below; commit them
#                             by hand. Give it more time, e.g. KORVANE_FUZZ_SECONDS=600.
set -euo pipefail
cd "$(dirname "$0")/.."

merge=false
case "${1:-}" in
    "") ;;
    --merge) merge=true ;;
    *) echo "usage: scripts/fuzz.sh [--merge]" >&2; exit 2 ;;
esac

total=${KORVANE_FUZZ_SECONDS:-70}
if ! [[ "$total" =~ ^[0-9]+$ ]] || [ "$total" -lt 2 ]; then
    echo "fuzz: KORVANE_FUZZ_SECONDS must be a whole number of seconds, at least 2" >&2
    exit 2
fi
eval_seconds=$(( total * 3 / 7 ))
freeform_seconds=$(( total * 2 / 7 ))
[ "$eval_seconds" -ge 1 ] || eval_seconds=1
[ "$freeform_seconds" -ge 1 ] || freeform_seconds=1
settings_seconds=$(( total - eval_seconds - freeform_seconds ))
[ "$settings_seconds" -ge 1 ] || settings_seconds=1

# The corpus budget of each target: what the repository keeps of its grown corpus. The
# evaluator's smallest corpus that reaches all the code its corpus reaches already holds some
# 270 inputs, so 300 would force a reduction, which drops the named seeds, on every merge.
max_files=400
max_bytes=$(( 256 * 1024 ))

build=build-fuzz
mkdir -p "$build"

# The preset "fuzzing" builds in $build with clang and only the three fuzzers.
if ! { cmake --preset fuzzing && cmake --build --preset fuzzing -j2; } \
       >"$build/build.log" 2>&1; then
    tail -n 40 "$build/build.log"
    echo "fuzz: build failed (full log: $build/build.log)"
    exit 1
fi

corpus_files() { find "$1" -maxdepth 1 -type f | wc -l; }
corpus_bytes() { find "$1" -maxdepth 1 -type f -printf '%s\n' | awk '{ n += $1 } END { print n + 0 }'; }

# Keeps the inputs of `work` that reach code the committed corpus does not, then holds the
# committed corpus to its budget: over it, the corpus is reduced to the smallest inputs that
# still reach all the code it reaches. Code reached counts, not how often (-use_counters=0):
# hit counts would keep hundreds of near-copies.
merge_corpus() {
    local name=$1 fuzzer=$2 max_len=$3 work=$4
    local committed="fuzz/corpus/$name" before
    local merge_args=(-merge=1 -use_counters=0 -max_len="$max_len" -timeout=10 -rss_limit_mb=2048)
    before=$(corpus_files "$committed")
    local log="$build/merge-$name.log"
    if ! "$fuzzer" "${merge_args[@]}" "$committed" "$work" >"$log" 2>&1; then
        tail -n 20 "$log"
        echo "fuzz: merging into $committed failed (log: $log)"
        return 1
    fi
    if [ "$(corpus_files "$committed")" -gt "$max_files" ] ||
       [ "$(corpus_bytes "$committed")" -gt "$max_bytes" ]; then
        local reduced="$build/reduced-$name"
        rm -rf "$reduced"
        mkdir -p "$reduced"
        if ! "$fuzzer" "${merge_args[@]}" "$reduced" "$committed" >>"$log" 2>&1; then
            tail -n 20 "$log"
            echo "fuzz: reducing $committed failed (log: $log)"
            return 1
        fi
        rm -rf "$committed"
        mv "$reduced" "$committed"
    fi
    local files bytes
    files=$(corpus_files "$committed")
    bytes=$(corpus_bytes "$committed")
    echo "fuzz: corpus $committed: $before -> $files files, $bytes bytes"
    if [ "$files" -gt "$max_files" ] || [ "$bytes" -gt "$max_bytes" ]; then
        echo "fuzz: $committed is over its budget ($max_files files, $max_bytes bytes) even" \
             "when reduced; undo with: git checkout -- $committed && git clean -fd $committed"
        return 1
    fi
}

# fuzz_target NAME WHAT SECONDS MAX_LEN
fuzz_target() {
    local name=$1 what=$2 seconds=$3 max_len=$4
    local fuzzer="$build/fuzz/korvane_${name}_fuzzer"
    local work="$build/corpus-$name"
    local log="$build/fuzz-$name.log"
    # CI fuzzes from the committed corpus alone; merging keeps what earlier merge runs found.
    $merge || rm -rf "$work"
    mkdir -p "$work"
    cp "fuzz/corpus/$name"/* "$work/" || return 1
    if ! "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
            -dict="fuzz/$name.dict" -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$build/$name-" "$work" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz: FINDING in $what (log: $log, input saved as $build/$name-*)"
        return 1
    fi
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz: $what, ${seconds} s, ${runs:-?} inputs, no findings"
    if $merge; then
        merge_corpus "$name" "$fuzzer" "$max_len" "$work" || return 1
    fi
}

status=0
fuzz_target eval "the expression evaluator" "$eval_seconds" 2048 || status=1
fuzz_target settings "the settings file readers" "$settings_seconds" 2048 || status=1
fuzz_target freeform "the free-form reader" "$freeform_seconds" 1024 || status=1
exit "$status"
