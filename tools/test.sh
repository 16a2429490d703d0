#!/usr/bin/env bash
# Installs what is needed, builds, runs every test (every benchmark among them, once, in its
# quick mode: a benchmark that no longer does its work fails), then the fuzz targets briefly.
#
#   tools/test.sh             what CI runs
#   tools/test.sh --sanitize  every test instead in a build of its own (build-sanitize) under
#                             AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer;
#                             whatever they find fails the test it turns up in. Not part of
#                             CI: the first build takes a long while.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
if [ "${1:-}" = --sanitize ]; then
    # The debug configuration keeps Qt's own checks of its inline code (an index out of a
    # list's range stops the test) and the C++ library's; a little optimising keeps the run
    # quick and the reports' lines true. A double too large for the int it is turned into is
    # checked too. The benchmarks are no tests; ccache spares a rebuild what has not changed.
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVELIN_BENCH=OFF \
        -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
        -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS" \
        "${launcher[@]}" >/dev/null
    cmake --build build-sanitize
    # The test executables release their windows at the end as the program does at exit, so
    # a leak reported is one; tools/lsan.supp names the few left in the libraries below.
    export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1
    export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
    exit 0
fi
# Optimised without debug information: the suite builds in about half the time.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null
cmake --build build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
bash tools/fuzz.sh
