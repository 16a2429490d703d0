#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs them.
#
#   tools/fuzz.sh                  short and repeatable (CI): each target briefly, from its
#                                  seeds, with a fixed seed and a bounded number of runs
#   tools/fuzz.sh --long [name..]  before touching a reader: each target (or the ones named,
#                                  "workstation_data" or "fuzz_workstation_data") for
#                                  FUZZ_MINUTES minutes (10), FUZZ_JOBS side by side (all
#                                  cores); the corpus grows in build-fuzz/corpus-long/ from
#                                  one run to the next, and what a run finds is kept in
#                                  build-fuzz/findings/<target>/
#
# The build takes CMAKE_BUILD_PARALLEL_LEVEL jobs when it is set.
set -euo pipefail
cd "$(dirname "$0")/.."

long=0
if [ "${1:-}" = --long ]; then
    long=1
    shift
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVELIN_FUZZ=ON -DTARVELIN_TESTS=OFF -DTARVELIN_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address" >/dev/null
cmake --build build-fuzz --target fuzz_all

# Headless, no modal box, and one hash seed, so that Qt's containers keep one order from
# run to run.
export QT_QPA_PLATFORM=offscreen TARVELIN_SCRIPTED_BOXES=1 QT_HASH_SEED=0

seeds_of() {
    local seeds="fuzz/seeds/${1#fuzz_}"
    [ -d "$seeds" ] && echo "$seeds"
    return 0
}

if [ "$long" = 0 ]; then
    seconds=${FUZZ_SECONDS:-6}
    runs=${FUZZ_RUNS:-60000}
    for f in build-fuzz/fuzz/fuzz_*; do
        [ -f "$f" ] && [ -x "$f" ] || continue
        name=$(basename "$f")
        t=$seconds
        # The line reader and text routines are fed longest.
        r=$runs
        [ "$name" = fuzz_textxml ] && t=30 && r=$((runs * 4))
        corpus="build-fuzz/corpus/$name"
        rm -rf "$corpus"
        mkdir -p "$corpus"
        echo "fuzzing $name for ${t}s"
        # A fixed seed and a bounded number of runs make the run repeatable: what passed here
        # passes in CI on the same machine (the time limit only cuts the same sequence short).
        # shellcheck disable=SC2046
        "$f" -seed=1 -runs="$r" -max_total_time="$t" -rss_limit_mb=4096 -artifact_prefix=build-fuzz/ \
            -print_final_stats=0 "$corpus" $(seeds_of "$name") 2>"build-fuzz/$name.log" \
            || { tail -40 "build-fuzz/$name.log"; exit 1; }
        # How many inputs the target ran, so that a run's depth can be quoted.
        grep -h '^Done ' "build-fuzz/$name.log" | sed "s/^/  $name: /"
    done
    echo "fuzzing: all targets passed"
    exit 0
fi

minutes=${FUZZ_MINUTES:-10}
jobs=${FUZZ_JOBS:-$(nproc)}
targets=()
if [ $# -gt 0 ]; then
    for n in "$@"; do targets+=("build-fuzz/fuzz/fuzz_${n#fuzz_}"); done
else
    for f in build-fuzz/fuzz/fuzz_*; do [ -f "$f" ] && [ -x "$f" ] && targets+=("$f"); done
fi
mkdir -p build-fuzz/long

run_long() {
    local f=$1 name
    name=$(basename "$f")
    local corpus="build-fuzz/corpus-long/$name" findings="build-fuzz/findings/$name"
    mkdir -p "$corpus" "$findings"
    echo "fuzzing $name for ${minutes} min"
    # An input that takes ten seconds is a hang; the corpus directory comes first, so what
    # the run adds is kept there and the seeds stay as they are.
    # shellcheck disable=SC2046
    "$f" -max_total_time=$((minutes * 60)) -timeout=10 -rss_limit_mb=4096 -artifact_prefix="$findings/" \
        -print_final_stats=1 "$corpus" $(seeds_of "$name") >"build-fuzz/long/$name.log" 2>&1
}
export -f run_long seeds_of
export minutes

status=0
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_long "$1"' _ {} || status=1

echo
printf '%-28s %10s %10s %8s  %s\n' target "inputs/s" inputs corpus findings
for f in "${targets[@]}"; do
    name=$(basename "$f")
    log="build-fuzz/long/$name.log"
    rate=$(awk '/average_exec_per_sec/ {print $2}' "$log" 2>/dev/null)
    count=$(awk '/number_of_executed_units/ {print $2}' "$log" 2>/dev/null)
    corpus=$(find "build-fuzz/corpus-long/$name" -type f 2>/dev/null | wc -l)
    found=$(find "build-fuzz/findings/$name" -type f 2>/dev/null | wc -l)
    printf '%-28s %10s %10s %8s  %s\n' "$name" "${rate:--}" "${count:--}" "$corpus" \
        "$([ "$found" = 0 ] && echo none || echo "$found in build-fuzz/findings/$name (see $log)")"
    [ "$found" = 0 ] || status=1
done
exit $status
