#!/usr/bin/env bash
# The idle cost of the headless monitor: CPU seconds per minute that vtconsole
# (and the node simulator serving it) use while polling many simulated
# computers every PERIOD_VERIFY seconds.
#
#   bench/idle/measure-idle.sh [SECONDS] [COMPUTERS] [PERIOD]
#
# Defaults: 90 s measured, 100 computers, a poll every 5 s. Needs the targets
# vtconsole and vtnode-sim built in BUILD_DIR (default build). One simulator
# serves every computer: all entries of [Remote interfaces] name its port,
# grouped ten to a mail server under [Hosts]. The address is ADDRESS (default
# 127.0.0.2): an address of this machine's own (127.0.0.1 where the host
# name resolves to it) is reached over the local endpoint instead of TCP.
# The demo node has a disk below its danger mark and files in a scanned
# folder, so every poll logs warnings for every computer; QUIET=1 clears both
# first, for the cost of a poll that finds nothing to report.
# The measurement starts after
# WARMUP seconds (default 20), once the start-up's logons are done; the
# start-up's own CPU time is printed apart.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-90}
computers=${2:-100}
period=${3:-5}
build=${BUILD_DIR:-build}
warmup=${WARMUP:-20}
address=${ADDRESS:-127.0.0.2}
console_bin=$build/app/vtconsole
sim_bin=$build/sim/app/vtnode-sim
for bin in "$console_bin" "$sim_bin"; do
  [[ -x $bin ]] || { echo "measure-idle: $bin is not built" >&2; exit 2; }
done
console_bin=$(realpath "$console_bin")

work=$(mktemp -d "${TMPDIR:-/tmp}/vt-idle.XXXXXX")
sim_pid=
console_pid=
cleanup() {
  # Only the two processes this script started.
  for pid in $console_pid $sim_pid; do
    if kill -0 "$pid" 2>/dev/null; then
      kill -TERM "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    fi
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$sim_bin" --listen "$address:0" --control "$work/control" > "$work/sim.out" 2>&1 &
sim_pid=$!
port=
for _ in $(seq 100); do
  port=$(sed -n 's/^vtnode-sim: listening on [0-9.]*:\([0-9]*\).*/\1/p' "$work/sim.out" 2>/dev/null)
  [[ -n $port ]] && break
  sleep 0.1
done
[[ -n $port ]] || { echo "measure-idle: the simulator did not start" >&2; cat "$work/sim.out" >&2; exit 1; }

if [[ -n ${QUIET:-} ]]; then
  for command in "disk D: 2000000000000" "folder 1 0"; do
    # shellcheck disable=SC2086
    answer=$("$sim_bin" --send "$work/control" $command)
    [[ $answer == ok ]] || { echo "measure-idle: $command: $answer" >&2; exit 1; }
  done
fi

# The configuration: the default text with the computers and mail servers
# added after their section heads (the file's lines end in CR LF).
cfg=$work/__RemoteHost.Cfg
"$console_bin" --headless --create-config "$cfg" > /dev/null
: > "$work/computers"
: > "$work/hosts"
members=
for i in $(seq "$computers"); do
  name=$(printf 'PC%03d' "$i")
  printf '%s=%s:%s\r\n' "$name" "$address" "$port" >> "$work/computers"
  members=${members:+$members,}$name
  if (( i % 10 == 0 || i == computers )); then
    printf 'HOST%02d=%s\r\n' $(( (i + 9) / 10 )) "$members" >> "$work/hosts"
    members=
  fi
done
awk -v computers="$work/computers" -v hosts="$work/hosts" -v period="$period" '
  /^PERIOD_VERIFY=/ { printf "PERIOD_VERIFY=%s\r\n", period; next }
  { print }
  /^\[Remote interfaces\]\r$/ { while ((getline line < computers) > 0) print line }
  /^\[Hosts\]\r$/ { while ((getline line < hosts) > 0) print line }
' "$cfg" > "$cfg.new"
mv "$cfg.new" "$cfg"
grep -q "^PERIOD_VERIFY=$period" "$cfg" || { echo "measure-idle: PERIOD_VERIFY not set" >&2; exit 1; }
printf 'admin\n' > "$work/password"

# user+system CPU seconds of a process so far, its ended children's included
# (an alert program it starts).
ticks=$(getconf CLK_TCK)
cpu() { awk -v t="$ticks" '{ sub(/^.*\) /, ""); printf "%.2f", ($12 + $13 + $14 + $15) / t }' "/proc/$1/stat"; }

(cd "$work" && exec "$console_bin" --headless --config "$cfg" --user ADMIN --password-file "$work/password") \
  > "$work/console.out" 2> "$work/console.err" &
console_pid=$!
sleep "$warmup"
kill -0 "$console_pid" 2>/dev/null || { echo "measure-idle: the console ended" >&2; tail "$work/console.err" >&2; exit 1; }
console_start=$(cpu "$console_pid")
sim_start=$(cpu "$sim_pid")
started=$(date +%s.%N)
sleep "$seconds"
console_end=$(cpu "$console_pid")
sim_end=$(cpu "$sim_pid")
ended=$(date +%s.%N)

kill -INT "$console_pid"
for _ in $(seq 300); do kill -0 "$console_pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$console_pid" || status=$?
console_pid=

awk -v cs="$console_start" -v ce="$console_end" -v ss="$sim_start" -v se="$sim_end" \
    -v t0="$started" -v t1="$ended" -v n="$computers" -v p="$period" -v w="$warmup" -v q="${QUIET:+quiet node}" '
  BEGIN {
    m = (t1 - t0) / 60
    printf "%s: computers %d, poll every %d s, measured %.1f s after a %d s warm-up\n", q ? q : "demo node", n, p, t1 - t0, w
    printf "start-up (first %d s): console %.2f s CPU, simulator %.2f s CPU\n", w, cs, ss
    printf "console:   %.2f s CPU per minute (%.1f%% of one core)\n", (ce - cs) / m, (ce - cs) / (t1 - t0) * 100
    printf "simulator: %.2f s CPU per minute (%.1f%% of one core)\n", (se - ss) / m, (se - ss) / (t1 - t0) * 100
  }'
echo "console exit code $status; $(grep -c . "$work/console.out" || true) lines on standard output, $(grep -c . "$work/console.err" || true) on standard error"
if [[ -n ${KEEP_OUTPUT:-} ]]; then cp "$work/console.out" "$work/console.err" "$work/sim.out" "$KEEP_OUTPUT"/; fi
