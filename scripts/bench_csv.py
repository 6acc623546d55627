#!/usr/bin/env python3
"""Times Python's csv module on the dealer file the benchmark wrote and prints
it beside the benchmark's figures.

usage: bench_csv.py DEALER_CSV BENCHMARK_JSON
"""
import csv
import json
import os
import sys
import time

REPEATS = 5


def python_csv_ms(path):
    best = float("inf")
    for _ in range(REPEATS):
        start = time.perf_counter()
        with open(path, encoding="gbk", newline="") as f:
            rows = list(csv.reader(f))
        best = min(best, time.perf_counter() - start)
    return best * 1000.0, len(rows)


def benchmark_ms(json_path):
    """Best wall time and median CPU time of each benchmark, in ms."""
    with open(json_path) as f:
        report = json.load(f)
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1000.0}
    best, cpu = {}, {}
    for run in report["benchmarks"]:
        name = run["run_name"]
        factor = scale[run.get("time_unit", "ns")]
        if run.get("run_type") == "iteration":
            best[name] = min(best.get(name, float("inf")), run["real_time"] * factor)
        elif run.get("aggregate_name") == "median":
            cpu[name] = run["cpu_time"] * factor
    return best, cpu


def main():
    csv_path, json_path = sys.argv[1], sys.argv[2]
    py_ms, rows = python_csv_ms(csv_path)
    best, cpu = benchmark_ms(json_path)
    load, decode = "BM_LoadDealerFile", "BM_DecodeGbkWholeFile"

    print()
    print(f"dealer file: {rows:,} lines, {os.path.getsize(csv_path) / 1e6:.1f} MB (GBK)")
    print(f"{'':34}{'best wall ms':>14}{'median cpu ms':>15}")
    print(f"{'CDealerDirectory::load()':34}{best[load]:14.1f}{cpu[load]:15.1f}")
    print(f"{'GBK decode of the whole file (Qt)':34}{best[decode]:14.1f}{cpu[decode]:15.1f}")
    print(f"{'Python csv.reader, GBK (best of %d)' % REPEATS:34}{py_ms:14.1f}")
    print()
    print(f"load / GBK decode   {best[load] / best[decode]:5.2f}x   (target <= 2)")
    print(f"Python csv / load   {py_ms / best[load]:5.2f}x   (target >= 2)")


if __name__ == "__main__":
    main()
