#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the unit and
# integration tests, the same core tests under the address and undefined-behaviour
# sanitizers, and a short run of every fuzz target. Fails when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
jobs=$(nproc)

echo "== build and test"
./scripts/build.sh
ctest --test-dir build --output-on-failure -j"$jobs"
# Nodes stamp times with their local wall clock; the same tests in zones
# west and east of UTC keep zone mistakes from passing unseen.
for zone in America/Los_Angeles Asia/Tokyo; do
  echo "== tests with TZ=$zone"
  TZ=$zone ctest --test-dir build --output-on-failure -j"$jobs"
done

echo "== sanitizers (address, undefined) on the core tests"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVT_SANITIZE=ON \
  -DVT_BUILD_UI=OFF -DVT_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -LE no_sanitize

echo "== fuzz targets (short runs)"
./scripts/fuzz.sh "${FUZZ_SECONDS:-15}"

echo "== all tests passed"
