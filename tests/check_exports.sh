#!/bin/sh
# Checks the dynamic symbols of the module library: both panels' constructors
# are exported, and no other class of the module is.
set -eu
lib="$1"
syms=$(nm -DC --defined-only "$lib")
fail=0
for want in 'TC::CFiccOperationPanel::CFiccOperationPanel(int, QWidget\*)' \
            'TC::CReservationSerialPanel::CReservationSerialPanel(int, QWidget\*)' \
            'TC::CFiccOperationPanel::~CFiccOperationPanel()' \
            'TC::CReservationSerialPanel::staticMetaObject'; do
  if ! printf '%s\n' "$syms" | grep -q "$want"; then
    echo "missing export: $want"; fail=1
  fi
done
others=$(printf '%s\n' "$syms" | grep ' TC::' | grep -v 'TC::CFiccOperationPanel\|TC::CReservationSerialPanel' || true)
if [ -n "$others" ]; then
  echo "unexpected exports:"; printf '%s\n' "$others"; fail=1
fi
exit $fail
