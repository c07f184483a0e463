#!/usr/bin/env bash
# Builds the benchmarks in Release and runs each of them, printing the median, mean and
# spread of several repetitions. Extra arguments go to every benchmark executable
# (for example --benchmark_filter=ellipsePerimeter).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
ensure_packages libbenchmark-dev

cmake --preset bench >/dev/null
cmake --build --preset bench

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
for benchmark in build/bench/bench/bench_*; do
    [ -f "$benchmark" ] && [ -x "$benchmark" ] || continue
    "$benchmark" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
        --benchmark_min_time=0.2 "$@"
done
QT_QPA_PLATFORM=offscreen build/bench/bench/startup_launcher \
    build/bench/bench/startup_ductcalc build/bench/bench/startup_minimal build/bench/bench/startup_text
