#!/usr/bin/env bash
# Installs, with apt-get, only the Debian packages that are missing.
# A no-op (no apt-get call at all) when everything is already present.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  dpkg-dev file
  qtbase5-dev qtbase5-dev-tools libqt5svg5-dev libqt5sql5-sqlite
  libboost-dev libboost-date-time-dev libboost-thread-dev libboost-system-dev
  libboost-filesystem-dev libboost-program-options-dev libboost-regex-dev
  libmongoclient-dev liblog4cxx-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev clang-format
  libfontconfig-dev xvfb xauth fonts-wqy-microhei
  python3
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq || true
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
