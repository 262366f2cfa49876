#!/usr/bin/env bash
# Builds the Release programs and starts the converter.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_TESTS=OFF \
    -DKORVANE_BUILD_BENCHMARKS=OFF
cmake --build build-release -j"$jobs"

cli=build-release/cli/korvane-cli
"$cli" --help
echo
echo "\$ korvane-cli convert 1 foot inch"
"$cli" convert 1 foot inch
