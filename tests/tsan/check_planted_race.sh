#!/usr/bin/env bash
# Runs the planted race under the ThreadSanitizer options of the test run and
# passes only when TSan reports it: a data race naming the racing function and
# the non-zero exit code TSan gives a run with reports.
#   check_planted_race.sh PLANTED_RACE_BINARY
set -uo pipefail
out=$("$1" 2>&1)
rc=$?
if [ "$rc" -eq 0 ]; then
  echo "planted race: exited 0, TSan reported nothing (TSAN_OPTIONS=${TSAN_OPTIONS:-})"
  echo "$out"
  exit 1
fi
if ! grep -q "WARNING: ThreadSanitizer: data race" <<<"$out" \
  || ! grep -q "bumpPlantedCounterUnlocked" <<<"$out"; then
  echo "planted race: exit $rc but no data race report on bumpPlantedCounterUnlocked"
  echo "$out"
  exit 1
fi
echo "planted race reported (exit $rc)"
