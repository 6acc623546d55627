#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench) and runs them. The dealer
# directory benchmark writes its 100,000-line GBK file to a known path so that
# Python's csv module can be timed on the same bytes; a summary with the ratios
# closes the run. The panel benchmark then builds and paints the whole FICC
# panel against a plain Qt form (warm in this process, cold in fresh child
# processes), and one line sums it up: warm and cold ms against their targets,
# and the time per widget against the plain form's.
#
#   scripts/bench.sh [extra Google Benchmark flags]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DFICC_BUILD_TESTS=OFF >/dev/null
make -C "$build" -j2 bench_dealer_directory bench_panel_construction bench_tables

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
FICC_BENCH_DEALER_CSV="$work/FiccDealerConfig.csv" \
  "$build/bench/bench_dealer_directory" \
  --benchmark_repetitions=5 --benchmark_display_aggregates_only=true \
  --benchmark_out="$work/bench.json" --benchmark_out_format=json "$@"
python3 "$root/scripts/bench_csv.py" "$work/FiccDealerConfig.csv" "$work/bench.json"

echo
"$build/bench/bench_panel_construction" \
  --benchmark_out="$work/panel.json" --benchmark_out_format=json "$@"
python3 - "$work/panel.json" <<'PY'
import json
import statistics
import sys

with open(sys.argv[1]) as f:
    runs = [r for r in json.load(f)["benchmarks"] if r.get("run_type") == "iteration"]
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1000.0}
ms, per_widget, last = {}, {}, {}
for r in runs:
    name = r["run_name"].split("/")[0]
    ms.setdefault(name, []).append(r["real_time"] * scale[r.get("time_unit", "ns")])
    per_widget.setdefault(name, []).append(r["us_per_widget"])
    last[name] = r
names = ["BM_PanelWarm", "BM_PlainFormWarm", "BM_PanelCold", "BM_PlainFormCold"]
if not all(n in ms for n in names):
    print("\npanel: not every panel benchmark ran, no summary")
    sys.exit(0)
# Median over repetitions when --benchmark_repetitions is given.
t = {n: statistics.median(ms[n]) for n in names}
u = {n: statistics.median(per_widget[n]) for n in names}
verdict = lambda value, target: f"<= {target} {'met' if value <= target else 'NOT met'}"
cold = last["BM_PanelCold"]
print()
print(f"panel ({int(last['BM_PanelWarm']['widgets'])} widgets, plain form "
      f"{int(last['BM_PlainFormWarm']['widgets'])}): "
      f"warm {t['BM_PanelWarm']:.1f} ms ({verdict(t['BM_PanelWarm'], 33)}), "
      f"cold {t['BM_PanelCold']:.1f} ms ({verdict(t['BM_PanelCold'], 100)}; "
      f"{cold['with_app_ms']:.1f} with QApplication, {cold['process_ms']:.1f} from spawn); "
      f"per widget warm {u['BM_PanelWarm']:.1f} vs {u['BM_PlainFormWarm']:.1f} us = "
      f"{u['BM_PanelWarm'] / u['BM_PlainFormWarm']:.2f}x, "
      f"cold {u['BM_PanelCold']:.1f} vs {u['BM_PlainFormCold']:.1f} us = "
      f"{u['BM_PanelCold'] / u['BM_PlainFormCold']:.2f}x")
PY

# Agreement orders: checking and building one order (agreement part in BSON)
# per operation type, without widgets; target at most 10 us per order.
echo
make -C "$build" -j2 bench_agreement_orders
"$build/bench/bench_agreement_orders" "$@"

# Tables: the contract table filled with N contracts until painted, against a
# QTableWidget with cell widgets filled the same way; the account list filled
# and one account's funds update until repainted. Targets: 16.7 ms a fill at
# 10,000 rows, at least 4x the QTableWidget, 1 ms a funds update.
echo
"$build/bench/bench_tables" --benchmark_out="$work/tables.json" --benchmark_out_format=json "$@"
python3 - "$work/tables.json" <<'PY'
import json
import sys

with open(sys.argv[1]) as f:
    runs = [r for r in json.load(f)["benchmarks"] if r.get("run_type") == "iteration"]
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1000.0}
ms = {}
heap = {}
for r in runs:
    name = r["run_name"].replace("/manual_time", "").replace("/iterations:1", "")
    ms[name] = r["real_time"] * scale[r.get("time_unit", "ns")]
    if "heap_mb" in r:
        heap[name] = r["heap_mb"]
def verdict(value, target):
    return f"<= {target} {'met' if value <= target else 'NOT met'}"
t = ms.get("BM_ContractTable/10000")
q = ms.get("BM_QTableWidgetBaseline/10000")
if t and q:
    print(f"\ncontract table, 10,000 contracts: {t:.1f} ms ({verdict(t, 16.7)}); "
          f"QTableWidget {q:.0f} ms = {q / t:.0f}x ({'met' if q / t >= 4 else 'NOT met'} >= 4x)")
big = ms.get("BM_ContractTable/100000")
if t and big:
    print(f"contract table, 100,000 contracts: {big:.0f} ms ({big / t:.1f}x the 10,000 fill), "
          f"{heap.get('BM_ContractTable/100000', 0):.0f} MB heap "
          f"({heap.get('BM_ContractTable/10000', 0):.0f} MB at 10,000)")
a = ms.get("BM_AccountListFill/10000")
b = ms.get("BM_AccountListBuild/10000")
u = ms.get("BM_AccountFundsUpdate/10000")
if a and u:
    print(f"account list, 10,000 accounts: reload {a:.1f} ms ({verdict(a, 16.7)}), "
          f"built from nothing {b:.1f} ms, funds update {u * 1000:.0f} us ({verdict(u * 1000, 1000)} us)")
PY
