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

echo "== sanitizers (address, undefined) on the core and window tests"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVT_SANITIZE=ON \
  -DVT_BUILD_UI=ON -DVT_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -LE no_sanitize

echo "== thread sanitizer on the tests that run more than one thread"
# Task commands' worker, the poll and services harnesses with their
# in-process simulators, the RPC server runtime and the simulator itself.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVT_SANITIZE_THREAD=ON \
  -DVT_BUILD_UI=OFF -DVT_BUILD_BENCH=OFF >/dev/null
tsan_targets=(tests_rpc_runtime vt_sim_tests tests_poll tests_services tests_net vtconsole vtnode-sim)
cmake --build build-tsan -j"$jobs" --target "${tsan_targets[@]}"
for binary in build-tsan/tests/rpc/runtime/tests_rpc_runtime build-tsan/tests/sim/vt_sim_tests \
              build-tsan/tests/poll/tests_poll build-tsan/tests/services/tests_services build-tsan/tests/net/tests_net; do
  echo "-- $binary"
  (cd "$(dirname "$binary")" && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "./$(basename "$binary")" --gtest_brief=1)
done

echo "== fuzz targets (short runs)"
./scripts/fuzz.sh "${FUZZ_SECONDS:-15}"

echo "== all tests passed"
