#!/usr/bin/env bash
# Installs what is missing, builds, and starts the demo terminal on its embedded
# simulated host. Without a display the terminal is rendered offscreen to a PNG,
# whose path is printed. Extra arguments go to the terminal (see --help).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target ficc-terminal

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  OUT=${FICC_SCREENSHOT:-$(pwd)/build/ficc-terminal.png}
  QT_QPA_PLATFORM=offscreen ./build/app/ficc-terminal --screenshot "$OUT" "$@"
  echo "$OUT"
  exit 0
fi
exec ./build/app/ficc-terminal "$@"
