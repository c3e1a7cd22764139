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

# Runs one libFuzzer target for a bounded time on its own corpus and seeds.
# Any crash, sanitizer report, timeout or running out of memory fails the pass.
run_fuzzer() { # target, seed directory, extra flags...
    local target=$1 seeds=$2; shift 2
    local corpus=build-fuzz/corpus-$target log=build-fuzz/$target.log status=0
    mkdir -p "$corpus"
    echo "-- $target for ${fuzz_seconds}s"
    build-fuzz/fuzz/$target -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix=build-fuzz/$target- "$@" "$corpus" "$seeds" >"$log" 2>&1 || status=$?
    if ((status != 0)); then
        tail -n 60 "$log"
        echo "fuzz: $target failed (status $status); see $log" >&2
        return "$status"
    fi
    grep -E '^(#[0-9]+[[:space:]]+DONE|Done)' "$log"
}

fuzz() {
    echo "== fuzzing the property records: the reader, and a real window and its controls"
    CXX=clang++ configure_and_build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELUNTO_FUZZ=ON
    build-fuzz/fuzz/fuzz_seeds build-fuzz/seeds-window
    run_fuzzer fuzz_records fuzz/seeds
    # Qt's caches grow during most inputs, and libFuzzer would look for leaks
    # after each of those, which takes most of the time: leaks are looked for
    # once, over the whole run, at its end (with the sanitizer pass's list of
    # system libraries' caches).
    LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
        run_fuzzer fuzz_window build-fuzz/seeds-window -dict=fuzz/window.dict -detect_leaks=0
}

case "$pass" in
    normal) normal ;;
    sanitize) sanitize ;;
    fuzz) fuzz ;;
    all) normal; sanitize; fuzz ;;
    *) echo "usage: $0 [all|normal|sanitize|fuzz]" >&2; exit 2 ;;
esac
