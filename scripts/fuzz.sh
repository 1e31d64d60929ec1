#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#   fuzz.sh --quick      a few seconds each (the test command)
#   fuzz.sh [seconds]    longer runs on demand (default 300 s each)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds=300
[ "${1:-}" = "--quick" ] && seconds=10
[[ "${1:-}" =~ ^[0-9]+$ ]] && seconds=$1

[ -d "$root/tests/fuzz" ] || { echo "fuzz: no fuzz targets"; exit 0; }
build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKS_FUZZ=ON >"$root/build/fuzz-configure.log" 2>&1 || { cat "$root/build/fuzz-configure.log"; exit 1; }
cmake --build "$build" -j"$(nproc)" --target fuzzers >/dev/null

status=0
for target in "$build"/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$root/tests/fuzz/corpus/${name#fuzz_}"
  work="$build/corpus-${name#fuzz_}"
  mkdir -p "$work"
  if "$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -print_final_stats=0 \
       -artifact_prefix="$build/$name-" \
       "$work" "$corpus" >"$build/$name.log" 2>&1; then
    echo "fuzz: $name ran ${seconds}s, no crash"
  else
    echo "fuzz: $name FAILED (see $build/$name.log)"; tail -n 20 "$build/$name.log"; status=1
  fi
done
exit $status
