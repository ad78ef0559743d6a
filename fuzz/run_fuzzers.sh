#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded number of
# executions from the seed corpus; new inputs go to a scratch folder.
#   fuzz/run_fuzzers.sh BUILD_DIR [RUNS]
# A long run of one target, from the repository's top:
#   build/fuzz/calc_fuzzer -max_total_time=3600 build/fuzz/found-calc fuzz/corpus/calc
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$1/fuzz
runs=${2:-2000000}

cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER="${CLANGXX:-clang++}" >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null

for target in conversion calc; do
    found="$build/found-$target"
    rm -rf "$found" "$build"/crash-* "$build"/leak-*
    mkdir -p "$found"
    echo "== ${target}_fuzzer: $runs executions"
    status=0
    (cd "$build" && "./${target}_fuzzer" -runs="$runs" -max_len=4096 -max_total_time=60 \
        -print_final_stats=1 "$found" "$here/corpus/$target") >"$build/$target.log" 2>&1 ||
        status=$?
    grep -E '^(stat::number_of_executed_units|Done|SUMMARY)' "$build/$target.log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$build/$target.log" >&2
        echo "FAIL: ${target}_fuzzer found an input that breaks it (see crash-* in $build)" >&2
        exit 1
    fi
done
