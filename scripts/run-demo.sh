#!/usr/bin/env bash
# Sets up the machine, builds, and runs the console on its demo node: a node
# simulator serving the bundled demo fixture on loopback, a configuration that
# names it, and the console logged on as its administrator.
#
# With a display (DISPLAY or WAYLAND_DISPLAY set) the desktop console opens
# (`vtconsole --demo`: the simulator runs inside it and ends with it).
# Without one, or with DEMO_HEADLESS=1, the console runs headless and polls
# until Ctrl-C.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh

if [ -z "${DEMO_HEADLESS:-}" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  echo "demo: a display is available (${DISPLAY:-$WAYLAND_DISPLAY}): opening the desktop console on the demo node"
  exec build/app/vtconsole --demo "$@"
fi
if [ -n "${DEMO_HEADLESS:-}" ]; then
  echo "demo: DEMO_HEADLESS is set: running the console headless"
else
  echo "demo: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the console headless"
fi

port=${DEMO_PORT:-12007}
demo_dir=${DEMO_DIR:-build/demo}
mkdir -p "$demo_dir"
export VT_RPC_LOCAL_DIR=$PWD/$demo_dir/rpc

sim_log=$demo_dir/requests.log
# The console reaches a computer of this machine over the local endpoint, and
# any other over TCP: the simulator serves both.
build/sim/app/vtnode-sim --listen "127.0.0.1:$port" --local local_rpc_exmon \
  --request-log "$sim_log" > "$demo_dir/sim.out" 2>&1 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do grep -q . "$demo_dir/sim.out" 2>/dev/null && break; sleep 0.1; done

cfg=$demo_dir/__RemoteHost.Cfg
rm -f "$cfg"
build/app/vtconsole --headless --create-config "$cfg"
# Name the demo computer and its mail server in the new file's two sections.
sed -i "s/^\[Remote interfaces\]\r$/[Remote interfaces]\r\nDEMO-SRV=127.0.0.1:$port\r/; s/^\[Hosts\]\r$/[Hosts]\r\nDEMO=DEMO-SRV\r/" "$cfg"
# One favourite group over two directions of the demo node: NSK-NODE's mail
# has waited for days, so the first scan (at once, then every 10 s) prints
# the group's alarm message.
sed -i 's/^\[Favorites\]\r$/[Favorites]\r\nGROUP="Links","demo directions",60,120,100,75,50,75,50,75,50,75,50,75,50,"","",0,3600,3600,3600,3600,3600\r\nFAVORIT="Links","DEMO","SPB-NODE"\r\nFAVORIT="Links","DEMO","NSK-NODE"\r/' "$cfg"
printf 'DEMO-SRV=admin\n' > "$demo_dir/passwords"

echo "demo: node simulator on 127.0.0.1:$port (requests in $sim_log); Ctrl-C ends the console"
build/app/vtconsole --headless --config "$cfg" --user ADMIN --password-file "$demo_dir/passwords" "$@"
