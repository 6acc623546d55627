#!/usr/bin/env bash
# Checks what an integrator gets from a built tree:
#  1. `cmake --install` into a temporary prefix, then the consumer in
#     tests/consumer builds against it with find_package(FiccPanels) and runs
#     (offscreen);
#  2. CPack makes the runtime and development .deb packages, and each holds
#     what it should (libraries with their soname links; headers, linker names
#     and the CMake package).
#   scripts/check-install.sh [BUILD_DIR]    default: build (as left by scripts/test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  echo "check-install: $BUILD is not a configured build directory" >&2
  exit 2
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
fail=0
bad() { echo "check-install: $*" >&2; fail=1; }

# Only the three libraries are installed; they are up to date after the test run.
cmake --build "$BUILD" --target ficc tthost tthost_core -j "$(nproc)" >/dev/null
cmake --install "$BUILD" --prefix "$prefix" >/dev/null

cmake -S tests/consumer -B "$tmp/consumer" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$tmp/consumer-configure.log" ||
  { cat "$tmp/consumer-configure.log" >&2; exit 1; }
cmake --build "$tmp/consumer" -j "$(nproc)" >"$tmp/consumer-build.log" ||
  { cat "$tmp/consumer-build.log" >&2; exit 1; }
# The consumer must load the installed libraries, not the build tree's.
if ldd "$tmp/consumer/ficc-consumer" | grep -E 'lib(ficc|tthost|tthost_core)\.so' | grep -vq "$prefix"; then
  bad "the consumer does not load the installed libraries:"
  ldd "$tmp/consumer/ficc-consumer" | grep -E 'lib(ficc|tthost|tthost_core)\.so' >&2
fi
mkdir -p "$tmp/config"
if QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$tmp/config" "$tmp/consumer/ficc-consumer" \
  >"$tmp/consumer.log" 2>&1; then
  grep '^consumer:' "$tmp/consumer.log"
else
  cat "$tmp/consumer.log" >&2
  bad "the consumer failed"
fi

(cd "$BUILD" && cpack -G DEB -B "$tmp/deb" >"$tmp/cpack.log") ||
  { cat "$tmp/cpack.log" >&2; exit 1; }
runtime=$(ls "$tmp"/deb/libficcpanels1_*.deb)
dev=$(ls "$tmp"/deb/libficcpanels-dev_*.deb)

# expect PACKAGE PATTERN...: each pattern matches a line of `dpkg -c`.
expect() {
  local deb=$1 listing
  shift
  listing=$(dpkg -c "$deb")
  for pattern in "$@"; do
    printf '%s\n' "$listing" | grep -Eq "$pattern" || bad "$(basename "$deb") lacks $pattern"
  done
}
# refuse PACKAGE PATTERN...: no line of `dpkg -c` matches.
refuse() {
  local deb=$1 listing
  shift
  listing=$(dpkg -c "$deb")
  for pattern in "$@"; do
    if printf '%s\n' "$listing" | grep -Eq "$pattern"; then
      bad "$(basename "$deb") holds $pattern"
    fi
  done
}
for lib in ficc tthost tthost_core; do
  expect "$runtime" "^-.* \./usr/lib/lib$lib\.so\.1\.0\.0$" \
    "^l.* \./usr/lib/lib$lib\.so\.1 -> lib$lib\.so\.1\.0\.0$"
  expect "$dev" "^l.* \./usr/lib/lib$lib\.so -> lib$lib\.so\.1$"
done
refuse "$runtime" '\.h$' '\.cmake$' '\.so$' '\.so -> '
expect "$dev" \
  '\./usr/include/ficc/shell/CFiccOperationPanel\.h$' \
  '\./usr/include/ficc/reservation/CReservationSerialPanel\.h$' \
  '\./usr/include/ficc/FiccExport\.h$' \
  '\./usr/include/tthost/tc/COperationPanel\.h$' \
  '\./usr/include/tthost/ttservice/CRepurchaseAgreementParam\.h$' \
  '\./usr/include/tthost/utils/CDeliveryGuard\.h$' \
  '\./usr/include/tthost/xp/CBaseWidget\.h$' \
  '\./usr/lib/cmake/FiccPanels/FiccPanelsConfig\.cmake$' \
  '\./usr/lib/cmake/FiccPanels/FiccPanelsConfigVersion\.cmake$' \
  '\./usr/lib/cmake/FiccPanels/FiccPanelsTargets\.cmake$' \
  '\./usr/lib/cmake/FiccPanels/FindMongoClient\.cmake$'
# Only the exported panels' headers of the module; no inner class.
refuse "$dev" '/usr/include/ficc/(agreement|spot|quotation|common)/' '^-.*\.so\.1\.0\.0$' \
  '^l.*\.so\.1 -> '
dpkg-deb -f "$dev" Depends | grep -q 'libficcpanels1 (= ' ||
  bad "the development package does not depend on the runtime package"
dpkg-deb -f "$runtime" Depends | grep -q 'libqt5widgets5' ||
  bad "the runtime package does not depend on Qt's libraries"

if [ "$fail" -ne 0 ]; then
  echo "check-install: FAILED" >&2
  exit 1
fi
echo "check-install: installed package builds and runs the consumer; $(basename "$runtime") and $(basename "$dev") hold what they should"
