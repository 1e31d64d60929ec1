#!/usr/bin/env bash
# The demonstration: a jump into the real Registry Editor under Wine, then
# screenshots and what the editor shows. Expects scripts/wine-env.sh sourced.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
shots="$root/build/screenshots"
mkdir -p "$shots"
example='hklm\software\Microsoft\Windows\CurrentVersion\ProgramFilesDir'

echo "demo: jumping to $example"
"$ks_wine" "$root/build/win64/keystride-jump.exe" "$example" >"$root/build/demo.log" 2>&1
sleep 1
import -display "$DISPLAY" -window root "$shots/regedit.png"
echo "demo: the Registry Editor now shows:"
"$ks_wine" "$root/build/win64/editor-probe.exe" 2>/dev/null | tr -d '\r' | sed 's/^/  /'
echo "demo: screenshot saved to $shots/regedit.png"
"$ks_wineserver" -k >/dev/null 2>&1 || true
