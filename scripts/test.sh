#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   clang build with AddressSanitizer + UBSan in build-asan/,
#                                fuzz targets included (scripts/fuzz.sh runs them)
#   scripts/test.sh --tsan       clang build with ThreadSanitizer in build-tsan/; a planted
#                                race (tests/tsan) must be reported or the run fails
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)

SANITIZE=0
TSAN=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) SANITIZE=1 ;;
    --tsan) TSAN=1 ;;
    *) echo "usage: $0 [--sanitize | --tsan]" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh

JOBS=$(nproc)
if [ "$SANITIZE" = 1 ]; then
  BUILD=build-asan
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_CXX_FLAGS="-O1 -g" \
    -DFICC_SANITIZE=ON -DFICC_BUILD_FUZZ=ON -DFICC_BUILD_BENCH=OFF >/dev/null
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan.supp"
elif [ "$TSAN" = 1 ]; then
  BUILD=build-tsan
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_CXX_FLAGS="-O1 -g -fsanitize=thread" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread" \
    -DFICC_BUILD_BENCH=OFF >/dev/null
  # Debian's Qt is not built with TSan: scripts/tsan.supp names the few Qt
  # hand-offs it cannot see. Uninstrumented modules are NOT ignored (that
  # hides real races between Qt threads); the planted race checks it.
  export TSAN_OPTIONS="suppressions=$ROOT/scripts/tsan.supp:second_deadlock_stack=1"
else
  BUILD=build
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi

cmake --build "$BUILD" -j "$JOBS"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS" --timeout 300
if [ "$TSAN" = 1 ]; then
  # Also here, outside CTest: a build that lost its TSan flags has no planted race to run.
  tests/tsan/check_planted_race.sh "$BUILD/tests/tsan_planted_race"
fi
