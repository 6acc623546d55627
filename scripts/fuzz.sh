#!/usr/bin/env bash
# Runs the libFuzzer targets of a build, each for a while from a copy of its
# corpus in fuzz/corpus/ (the corpus in the tree is left as it is).
#   scripts/fuzz.sh BUILD_DIR SECONDS [TARGET...]     default: every fuzz_* target built
# CI runs each for a few seconds from build-asan (scripts/test.sh --sanitize
# builds them there). For longer runs, a tree configured with coverage for
# the code under test as well:
#   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 \
#     -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1 -g -fsanitize=fuzzer-no-link" \
#     -DFICC_SANITIZE=ON -DFICC_BUILD_FUZZ=ON -DFICC_BUILD_TESTS=OFF -DFICC_BUILD_BENCH=OFF
# Crashes are kept in $FUZZ_ARTIFACTS (default: a fresh temporary directory).
# Fails when a target crashes or stops with an error.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
if [ $# -lt 2 ]; then
  echo "usage: $0 BUILD_DIR SECONDS [TARGET...]" >&2
  exit 2
fi
BUILD=$1
SECONDS_EACH=$2
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in "$BUILD"/fuzz/fuzz_*; do
    [ -x "$t" ] && [ -f "$t" ] && targets+=("$(basename "$t")")
  done
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no fuzz targets in $BUILD/fuzz (configure with -DFICC_BUILD_FUZZ=ON)" >&2
  exit 2
fi

ARTIFACTS=${FUZZ_ARTIFACTS:-$(mktemp -d)}
mkdir -p "$ARTIFACTS"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=0
for t in "${targets[@]}"; do
  corpus=$(mktemp -d)
  seeds="$ROOT/fuzz/corpus/${t#fuzz_}"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  log="$ARTIFACTS/$t.log"
  started=$(date +%s)
  "$BUILD/fuzz/$t" -max_total_time="$SECONDS_EACH" -timeout=20 -rss_limit_mb=4096 \
    -max_len=8192 -print_final_stats=1 -artifact_prefix="$ARTIFACTS/$t-" "$corpus" >"$log" 2>&1
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  echo "fuzz: $t: ${runs:-?} runs in $(($(date +%s) - started))s, exit $rc"
  if [ "$rc" -ne 0 ]; then
    failed=1
    grep -E "ERROR|runtime error|SUMMARY|Test unit written" "$log" | head -20
    echo "fuzz: full log $log"
  fi
  rm -rf "$corpus"
done
exit $failed
