#!/usr/bin/env bash
# Runs every benchmark and prints each figure with its target. Figures are
# medians of several runs, compared side by side in one run.
#   bench.sh            everything (the sampled landing run takes ~15 minutes)
#   bench.sh --quick    a smaller landing sample
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
sample=200
[ "${1:-}" = "--quick" ] && sample=30

bash scripts/setup.sh
bash scripts/build-deps.sh

echo "== native benchmarks (Release)"
cmake -S . -B build/bench-native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench-native -j"$(nproc)" --target native_bench >/dev/null
for b in build/bench-native/*_bench; do "$b"; done

echo "== under Wine"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$(nproc)" --target landing_sample jump_overhead \
  settings_vs_profile fake_regedit startup_vs_empty_window cold_jump_vs_editor_start \
  empty_window warm_jump_routes suggestion_latency keystride >/dev/null
export KEYSTRIDE_BUILD="$root/build/bench-wine" KEYSTRIDE_XVFB=1
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
cp build/win64/bench/*.exe "$KEYSTRIDE_BUILD/"
"$ks_wine" "$KEYSTRIDE_BUILD/settings_vs_profile.exe" >"$KEYSTRIDE_BUILD/settings.log" 2>&1 || true
tr -d '\r' <"$KEYSTRIDE_BUILD/settings.log"
"$ks_wine" "$KEYSTRIDE_BUILD/jump_overhead.exe" \
  "$root/build/win64/test-helpers/fake_regedit.exe" 7 >"$KEYSTRIDE_BUILD/overhead.log" 2>&1 || true
tr -d '\r' <"$KEYSTRIDE_BUILD/overhead.log"
"$ks_wine" "$KEYSTRIDE_BUILD/startup_vs_empty_window.exe" "$root/build/win64/keystride.exe" \
  "$KEYSTRIDE_BUILD/empty_window.exe" 15 >"$KEYSTRIDE_BUILD/startup.log" 2>&1 || true
tr -d '\r' <"$KEYSTRIDE_BUILD/startup.log"
"$ks_wine" "$KEYSTRIDE_BUILD/cold_jump_vs_editor_start.exe" 15 \
  >"$KEYSTRIDE_BUILD/cold.log" 2>&1 || true
tr -d '\r' <"$KEYSTRIDE_BUILD/cold.log"
"$ks_wine" "$KEYSTRIDE_BUILD/warm_jump_routes.exe" 15 >"$KEYSTRIDE_BUILD/warm.log" 2>&1 || true
tr -d '\r' <"$KEYSTRIDE_BUILD/warm.log"
"$ks_wine" "$KEYSTRIDE_BUILD/suggestion_latency.exe" 5 >"$KEYSTRIDE_BUILD/suggestions.log" 2>&1 || true
tr -d '\r' <"$KEYSTRIDE_BUILD/suggestions.log"
echo "landing: $sample keys drawn from the prefix's registry (target: all land)"
"$ks_wine" "$KEYSTRIDE_BUILD/landing_sample.exe" "$sample" 1 \
  >"$KEYSTRIDE_BUILD/landing.log" 2>&1 || true
tr -d '\r' <"$KEYSTRIDE_BUILD/landing.log" | sed 's/^/  /'
"$ks_wineserver" -k >/dev/null 2>&1 || true
