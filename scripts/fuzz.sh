#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs the evaluator's fuzzer for a
# bounded time (KORVANE_FUZZ_SECONDS, default 60) on a copy of the seed corpus. Any finding -
# a crash, a sanitizer report, a leak, a timeout or a broken invariant - fails the script; the
# full log stays in build-fuzz/fuzz-eval.log.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${KORVANE_FUZZ_SECONDS:-60}
build=build-fuzz
mkdir -p "$build"

if ! { cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
         -DKORVANE_BUILD_FUZZERS=ON -DKORVANE_BUILD_GUI=OFF -DKORVANE_BUILD_TESTS=OFF \
         -DKORVANE_BUILD_BENCHMARKS=OFF &&
       cmake --build "$build" -j2 --target korvane_eval_fuzzer; } >"$build/build.log" 2>&1; then
    tail -n 40 "$build/build.log"
    echo "fuzz: build failed (full log: $build/build.log)"
    exit 1
fi

corpus="$build/corpus-eval"
rm -rf "$corpus"
mkdir -p "$corpus"
cp fuzz/corpus/eval/* "$corpus/"

log="$build/fuzz-eval.log"
if ! "$build/fuzz/korvane_eval_fuzzer" -max_total_time="$seconds" -max_len=2048 -timeout=10 \
        -dict=fuzz/eval.dict -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/" \
        "$corpus" \
        >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: FINDING in the expression evaluator (log: $log, input saved in $build/)"
    exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
echo "fuzz: expression evaluator, ${seconds} s, ${runs:-?} inputs, no findings"
