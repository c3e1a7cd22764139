#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench) and prints their figures:
# one OK press and the eleven records in-process, then start-up time and peak
# memory of velunto beside a bare Qt 6 program with the same window, under Xvfb.
# Figures only: nothing here passes or fails on a number.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build-bench
runs=${STARTUP_RUNS:-15}

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELUNTO_BENCH=ON >/dev/null
# The tests are not needed here.
cmake --build "$dir" -j "$(nproc)" --target velunto quiz_bench bare_window startup_bench

echo "== one OK press and the eleven records (offscreen platform)"
QT_QPA_PLATFORM=offscreen "$dir/bench/quiz_bench"

echo "== start-up: velunto beside a bare Qt 6 window (Xvfb, $runs runs each)"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    "$dir/bench/startup_bench" "$dir/app/velunto" "$dir/bench/bare_window" "$runs"
