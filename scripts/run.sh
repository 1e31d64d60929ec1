#!/usr/bin/env bash
# Builds Keystride and starts it under Wine. On a machine with a display it
# runs there; with no display (or KEYSTRIDE_XVFB=1) it runs a short
# demonstration on a private Xvfb (scripts/demo.sh) and saves screenshots as
# PNG under build/screenshots.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/setup.sh
bash scripts/build-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$(nproc)" --target keystride keystride-jump editor-probe \
  keystride-demo >/dev/null

demo=0
[ -z "${DISPLAY:-}" ] || [ "${KEYSTRIDE_XVFB:-0}" = 1 ] && demo=1
# shellcheck source=wine-env.sh
source scripts/wine-env.sh

if [ "$demo" = 0 ]; then
  exec "$ks_wine" build/win64/keystride.exe
fi

# shellcheck source=demo.sh
source scripts/demo.sh
