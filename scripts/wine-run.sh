#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix (CTest's
# emulator). Output goes through a file: programs the test starts (the
# Registry Editor) inherit the handles and would otherwise hold CTest's
# pipes open long after the test ended.
set -u
if [ -z "${WINEPREFIX:-}" ]; then
  # shellcheck source=wine-env.sh
  source "$(dirname "$0")/wine-env.sh"
fi
out=$(mktemp)
/usr/lib/wine/wine64 "$@" >"$out" 2>&1 </dev/null
rc=$?
tr -d '\r' <"$out"
rm -f "$out"
exit $rc
