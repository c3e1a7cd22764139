#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench) and prints their figures,
# velunto beside the bare Qt 6 program with the same window, as velunto/bare
# ratios: a press of OK and the first application of the eleven records
# in-process, then start-up to the first paint of the window under Xvfb.
# Figures only: nothing here passes or fails on a number.
#   QUIZ_ROUNDS, STARTUP_ROUNDS  interleaved rounds (default 21 and 100)
#   JOBS                         parallel build jobs (default: all cores)
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build-bench
quizRounds=${QUIZ_ROUNDS:-21}
startupRounds=${STARTUP_ROUNDS:-100}

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELUNTO_BENCH=ON >/dev/null
# The tests are not needed here.
cmake --build "$dir" -j "${JOBS:-$(nproc)}" --target velunto quiz_bench bare_window startup_bench >/dev/null

echo "load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo
QT_QPA_PLATFORM=offscreen "$dir/bench/quiz_bench" "$quizRounds"
echo
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    "$dir/bench/startup_bench" "$dir/app/velunto" "$dir/bench/bare_window" "$startupRounds"
