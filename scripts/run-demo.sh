#!/usr/bin/env bash
# Sets up the machine, builds, and runs the console on its demo node.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
demo_dir=${DEMO_DIR:-build/demo}
mkdir -p "$demo_dir"
cfg=$demo_dir/__RemoteHost.Cfg
[ -f "$cfg" ] || build/app/vtconsole --headless --create-config "$cfg"
exec build/app/vtconsole --headless --config "$cfg"
