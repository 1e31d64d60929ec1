#!/usr/bin/env bash
# Runs every test suite: the native unit tests (with sanitizers), the Win32
# tests and end-to-end tests under Wine, the demonstration, the i686 build,
# and the download package with its keystride.exe started under Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/setup.sh
bash scripts/build-deps.sh

jobs=$(nproc)
status=0

echo "== native (linux preset)"
cmake --preset linux >build-linux-configure.log 2>&1 || { cat build-linux-configure.log; exit 1; }
rm -f build-linux-configure.log
cmake --build --preset linux -j"$jobs"
ctest --preset linux -j"$jobs" || status=1

echo "== fuzzers (bounded)"
bash scripts/fuzz.sh --quick || status=1

echo "== i686 build (not run: this kernel cannot run 32-bit code)"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs"

echo "== x86_64 under Wine (win64 preset)"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$jobs"
export KEYSTRIDE_XVFB=1
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
# One warm-up run with the server already up, so the suites start fast.
"$ks_wine" build/win64/keystride-jump.exe >/dev/null 2>&1 || true
ctest --preset win64 || status=1

echo "== the demonstration (what scripts/run.sh shows without a display)"
(source scripts/demo.sh) || status=1

echo "== the download (win64 package)"
cmake --build --preset win64 --target package
package=build/win64/Keystride-3.1-win64.zip
held=$(cmake -E tar tf "$package" | LC_ALL=C sort | tr '\n' ' ')
if [ "$held" = "LICENSE.txt README.txt keystride.exe " ]; then
  echo "package holds: $held"
else
  echo "package holds: $held; expected LICENSE.txt README.txt keystride.exe" >&2
  status=1
fi
unpacked=build/win64/package-check
rm -rf "$unpacked"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$root/$package")
# The keystride.exe from the archive starts, shows its window and ends by
# its Exit button.
"$ks_wine" build/win64/test-helpers/start_check.exe "$unpacked/keystride.exe" \
  >build/win64/start-check.log 2>&1 || status=1
tr -d '\r' <build/win64/start-check.log
"$ks_wineserver" -k >/dev/null 2>&1 || true

exit $status
