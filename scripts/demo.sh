#!/usr/bin/env bash
# The demonstration: keystride.exe with a few favourites, one of them jumped
# to in the real Registry Editor under Wine, screenshots saved as PNG and what
# the editor shows printed; then Keystride is closed with its Exit button.
# Expects scripts/wine-env.sh sourced and build/win64 built (scripts/run.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
shots="$root/build/screenshots"
mkdir -p "$shots"

# The driver's output goes through a file: the editor it has started must not
# hold a pipe of ours open.
demo_status=0
"$ks_wine" "$root/build/win64/keystride-demo.exe" "$shots" >"$root/build/demo.log" 2>&1 ||
  demo_status=$?
tr -d '\r' <"$root/build/demo.log"
"$ks_wineserver" -k >/dev/null 2>&1 || true
if [ "$demo_status" != 0 ]; then
  echo "demo: failed (exit code $demo_status); the whole log is in $root/build/demo.log" >&2
  exit "$demo_status"
fi
