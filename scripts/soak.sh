#!/usr/bin/env bash
# Soak run of the desktop console: scripts/soak.sh [MINUTES] (default 30;
# fractions work, e.g. 2.5). Builds vtsoak and vtnode-sim in build/ (or
# $BUILD_DIR), starts two simulators on loopback - the demo node, and a
# second computer that now and then stops answering (its calls hang, as
# behind a pulled cable) - and runs the desktop console on them offscreen
# with scripted user actions. Prints the resource samples and a table of
# checks; exits 1 when a check failed, 2 when the run could not be made.
# The simulators' logs, the configuration and report.txt stay in the folder
# it names.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-30}
build_dir=${BUILD_DIR:-build}

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target vtsoak vtnode-sim
# The verdicts are tried on made-up runs first (when GoogleTest is there).
targets=$(cmake --build "$build_dir" --target help)
if grep -q "^vtsoak_checks_test" <<<"$targets"; then
  cmake --build "$build_dir" --target vtsoak_checks_test
  "$build_dir/soak/vtsoak_checks_test" --gtest_brief=1 >/dev/null || {
    echo "soak: the checks' own tests failed" >&2
    exit 2
  }
fi

run=$(mktemp -d "${TMPDIR:-/tmp}/vtsoak-XXXXXX")
echo "soak: $minutes minutes; logs, configuration and report in $run"
mkdir -p "$run/xdg-runtime" "$run/xdg-config" "$run/rpc"
chmod 700 "$run/xdg-runtime"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$run/xdg-runtime XDG_CONFIG_HOME=$run/xdg-config
export VT_RPC_LOCAL_DIR=$run/rpc

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

# start_sim NAME ADDRESS [OPTION...]: a simulator on any free port of ADDRESS.
start_sim() {
  local name=$1 address=$2
  shift 2
  "$build_dir/sim/app/vtnode-sim" --listen "$address:0" --request-log "$run/$name.log" "$@" \
    >"$run/$name.out" 2>&1 &
  pids+=($!)
}

# port_of NAME ADDRESS: the port it printed once listening.
port_of() {
  local name=$1 address=$2
  for _ in $(seq 100); do
    if grep -q "listening on" "$run/$name.out" 2>/dev/null; then
      sed -n "s/.*listening on $address:\([0-9]*\).*/\1/p" "$run/$name.out"
      return 0
    fi
    sleep 0.1
  done
  echo "soak: the $name simulator did not start:" >&2
  cat "$run/$name.out" >&2
  return 1
}

# Addresses other than 127.0.0.1, which the console counts as this machine.
start_sim live 127.0.0.2
start_sim far 127.0.0.3 --control "$run/far.control"
live_port=$(port_of live 127.0.0.2) || exit 2
far_port=$(port_of far 127.0.0.3) || exit 2

status=0
"$build_dir/soak/vtsoak" --minutes "$minutes" \
  --live "127.0.0.2:$live_port" --live-log "$run/live.log" \
  --far "127.0.0.3:$far_port" --far-log "$run/far.log" --far-control "$run/far.control" \
  --folder "$run" || status=$?
echo "soak: folder $run; exit status $status"
exit "$status"
