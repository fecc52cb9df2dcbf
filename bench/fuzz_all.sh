#!/bin/bash
# Every fuzz target for a million inputs (the test run gives each only seconds), then every
# input of the corpus it grew timed once. Prints one row per target: executions, crashes,
# leaks, the slowest input in milliseconds (under the sanitizers, its fastest of three runs)
# and how many inputs took over 10 ms.
#
#     bash bench/fuzz_all.sh [RUNS]        # RUNS defaults to 1000000
#
# Builds the fuzz targets in build/fuzz (clang, ASan, UBSan) as scripts/test.sh does; the
# corpora and the full logs go to build/fuzz-bench/. Exits non-zero when any target crashed,
# leaked or had an input slower than 10 ms. GLIMMORA_BUILD overrides build/.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${GLIMMORA_BUILD:-$root/build}"
runs="${1:-1000000}"
fuzz="$build/fuzz"
out="$build/fuzz-bench"
slow_ms=10

cmake -S "$root" -B "$fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMORA_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
cmake --build "$fuzz" -j "$(nproc)" >/dev/null || { cmake --build "$fuzz" 2>&1 | tail -20; exit 1; }
mkdir -p "$out"

failed=0
printf '%-22s %12s %8s %6s %12s %10s\n' target executions crashes leaks slowest_ms over_10ms
for target in "$fuzz"/tests/fuzz/*_fuzz; do
    name=$(basename "$target")
    corpus="$out/$name"
    mkdir -p "$corpus"
    log="$out/$name.log"
    # -error_exitcode stays 77: a crash, a leak or a timeout of 1 s ends the run at once.
    "$target" -runs="$runs" -rss_limit_mb=2048 -max_len=65536 -timeout=1 -print_final_stats=1 \
        -artifact_prefix="$out/$name-" "$corpus" "$root/tests/fuzz/seeds/$name" >"$log" 2>&1
    code=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    crashes=$(grep -c -E 'deadly signal|ERROR: AddressSanitizer|runtime error:|ERROR: libFuzzer' "$log")
    leaks=$(grep -c 'ERROR: LeakSanitizer' "$log")
    # Every input in three passes, its fastest run counted (the first run of an input pays
    # for cold caches, and a machine shared with other work stalls single runs): libFuzzer
    # prints "Executed <file> in <N> ms" for each input it is given.
    times="$out/$name.times"
    for pass in 1 2 3; do
        find "$corpus" "$root/tests/fuzz/seeds/$name" -type f -print0 |
            xargs -0 -n 500 "$target" -rss_limit_mb=2048 -runs=1 2>&1 |
            sed -n 's/^Executed \(.*\) in \([0-9]*\) ms$/\1 \2/p'
    done | awk '!($1 in best) || $2 < best[$1] { best[$1] = $2 } END { for (f in best) print best[f] }' >"$times"
    slowest=$(sort -n "$times" | tail -1)
    over=$(awk -v limit="$slow_ms" '$1 > limit' "$times" | wc -l)
    printf '%-22s %12s %8s %6s %12s %10s\n' "$name" "${executions:-?}" "$crashes" "$leaks" "${slowest:-?}" "$over"
    if [ "$code" -ne 0 ] || [ "$crashes" -ne 0 ] || [ "$leaks" -ne 0 ] || [ "$over" -ne 0 ]; then failed=1; fi
done
exit "$failed"
