#!/usr/bin/env bash
# The layers point one way: host/ <- ficc/ <- app/, and inside ficc/ the
# switcher (shell/) builds on the businesses, which build on common/.
# Prints every include that points the wrong way and fails when there is one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bad=0
check() { # folder, pattern of forbidden includes, what it means
  local found
  found=$(grep -rnE "#include \"($2)" "$1" --include='*.h' --include='*.cpp' || true)
  if [ -n "$found" ]; then
    echo "$3:"
    echo "$found"
    bad=1
  fi
}
check host 'shell/|agreement/|spot/|quotation/|reservation/|common/|CTerminalWindow|CSimulated' \
  "the host includes the module or the terminal"
check ficc 'CTerminalWindow|CSimulated|CCommandJournal' "the module includes the terminal"
for business in agreement spot quotation reservation common; do
  check "ficc/$business" 'shell/' "ficc/$business includes the switcher"
done
check ficc/common 'agreement/|spot/|quotation/|reservation/' "ficc/common includes a business"
exit $bad
