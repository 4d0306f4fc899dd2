#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a few seconds
# (first argument, default 15) over its seed corpus. A crash fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVT_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)"
shopt -s nullglob
for target in build-fuzz/fuzz/*/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  seeds=fuzz/$(basename "$(dirname "$target")")/corpus/$name
  work=build-fuzz/corpus/$name
  mkdir -p "$work"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$work"/ 2>/dev/null || true
  echo "-- $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 -print_final_stats=0 \
      -artifact_prefix=build-fuzz/ "$work" > "build-fuzz/$name.log" 2>&1; then
    tail -n 40 "build-fuzz/$name.log"
    echo "fuzz: $name failed; the input is in build-fuzz/ (crash-*, leak-*, timeout-*)"
    exit 1
  fi
  tail -n 1 "build-fuzz/$name.log"
done
