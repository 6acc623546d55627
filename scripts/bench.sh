#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench) and runs them. The dealer
# directory benchmark writes its 100,000-line GBK file to a known path so that
# Python's csv module can be timed on the same bytes; a summary with the ratios
# closes the run.
#
#   scripts/bench.sh [extra Google Benchmark flags]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DFICC_BUILD_TESTS=OFF >/dev/null
make -C "$build" -j2 bench_dealer_directory

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
FICC_BENCH_DEALER_CSV="$work/FiccDealerConfig.csv" \
  "$build/bench/bench_dealer_directory" \
  --benchmark_repetitions=5 --benchmark_display_aggregates_only=true \
  --benchmark_out="$work/bench.json" --benchmark_out_format=json "$@"
python3 "$root/scripts/bench_csv.py" "$work/FiccDealerConfig.csv" "$work/bench.json"
