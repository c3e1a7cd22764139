#!/usr/bin/env bash
# Runs the test passes: normal, sanitize (ASan + UBSan) and a bounded fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."

pass=${1:-all}
jobs=${JOBS:-$(nproc)}
fuzz_seconds=${FUZZ_SECONDS:-60}

configure_and_build() { # dir, extra cmake flags...
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

normal() {
    echo "== normal build and tests"
    configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300
}

sanitize() {
    echo "== AddressSanitizer and UndefinedBehaviorSanitizer"
    configure_and_build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVELUNTO_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build-sanitize --output-on-failure -j "$jobs" --timeout 600 -E '^e2e'
}

fuzz() {
    echo "== fuzzing the property-record reader for ${fuzz_seconds}s"
    CXX=clang++ configure_and_build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELUNTO_FUZZ=ON
    mkdir -p build-fuzz/corpus
    local log=build-fuzz/fuzz.log status=0
    build-fuzz/fuzz/fuzz_records -max_total_time="$fuzz_seconds" -timeout=5 -rss_limit_mb=2048 \
        -print_final_stats=1 build-fuzz/corpus fuzz/seeds >"$log" 2>&1 || status=$?
    if ((status != 0)); then
        tail -n 60 "$log"
        echo "fuzz: the record reader failed (status $status); see $log" >&2
        return "$status"
    fi
    grep -E '^(Done|stat::)' "$log"
}

case "$pass" in
    normal) normal ;;
    sanitize) sanitize ;;
    fuzz) fuzz ;;
    all) normal; sanitize; fuzz ;;
    *) echo "usage: $0 [all|normal|sanitize|fuzz]" >&2; exit 2 ;;
esac
