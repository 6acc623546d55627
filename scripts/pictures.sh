#!/usr/bin/env bash
# Renders the README's pictures of the demo terminal into docs/pictures/,
# offscreen, from the shipped data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target ficc-pictures
QT_QPA_PLATFORM=offscreen ./build/app/ficc-pictures docs/pictures
