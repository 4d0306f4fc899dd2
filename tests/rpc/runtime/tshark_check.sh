#!/bin/sh
# Captures one session of the runtime on loopback and has tshark dissect it as
# DCE RPC: every packet must dissect cleanly (no malformed packet, no expert
# error), and the session must show bind, bind_ack, request, response and fault.
#
#   tshark_check.sh SESSION_PROGRAM
#
# Exits 0 with a "skipped" line when tshark or capture rights are missing.
set -u
program=$1

if ! command -v tshark >/dev/null 2>&1 || ! command -v dumpcap >/dev/null 2>&1; then
  echo "skipped: tshark or dumpcap is not installed"
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Below the ephemeral range (32768 and up on Linux), so that no other test's
# connection or port-0 listener can take it or land in the capture.
port=$(( 20000 + $$ % 12000 ))
capture="$work/session.pcapng"

dumpcap -q -i lo -f "tcp port $port" -w "$capture" >"$work/dumpcap.log" 2>&1 &
dumpcap_pid=$!
# Wait until the capture has really started (the file gets its header).
i=0
while [ ! -s "$capture" ] && [ $i -lt 50 ]; do
  if ! kill -0 "$dumpcap_pid" 2>/dev/null; then
    echo "skipped: capture not permitted here ($(head -c 200 "$work/dumpcap.log"))"
    exit 0
  fi
  sleep 0.1
  i=$((i + 1))
done
if [ ! -s "$capture" ]; then
  kill "$dumpcap_pid" 2>/dev/null
  echo "skipped: capture did not start"
  exit 0
fi
sleep 0.3

calls=$("$program" "$port")
status=$?
sleep 0.5
kill -INT "$dumpcap_pid"
wait "$dumpcap_pid" 2>/dev/null
if [ $status -ne 0 ]; then
  echo "FAIL: the session program failed ($status)"
  exit 1
fi

tshark -r "$capture" -V -d "tcp.port==$port,dcerpc" >"$work/dissected.txt" 2>&1
failed=0
if grep -qi "malformed" "$work/dissected.txt"; then
  echo "FAIL: malformed packets:"
  grep -i -B2 "malformed" "$work/dissected.txt" | head -40
  failed=1
fi
errors=$(tshark -r "$capture" -d "tcp.port==$port,dcerpc" -Y "_ws.expert.severity == error" 2>/dev/null | wc -l)
if [ "$errors" -ne 0 ]; then
  echo "FAIL: $errors packets carry expert errors:"
  tshark -r "$capture" -d "tcp.port==$port,dcerpc" -q -z expert,error 2>/dev/null | head -40
  failed=1
fi
# Every TCP segment with payload belongs to a DCE RPC PDU (or is a piece of one).
stray=$(tshark -r "$capture" -d "tcp.port==$port,dcerpc" -Y "tcp.len > 0 && !dcerpc && !tcp.reassembled_in" 2>/dev/null | wc -l)
if [ "$stray" -ne 0 ]; then
  echo "FAIL: $stray segments with payload that are not DCE RPC"
  failed=1
fi
types=$(tshark -r "$capture" -d "tcp.port==$port,dcerpc" -T fields -e dcerpc.pkt_type 2>/dev/null | tr ',' '\n' | sort -n | uniq -c)
for t in 0 2 3 11 12; do
  if ! echo "$types" | awk '{print $2}' | grep -qx "$t"; then
    echo "FAIL: no PDU of type $t in the capture"
    failed=1
  fi
done
# One last fragment (response or fault) per call made.
answers=$(tshark -r "$capture" -d "tcp.port==$port,dcerpc" -T fields -e dcerpc.pkt_type -e dcerpc.cn_flags.last_frag 2>/dev/null \
  | awk -F'\t' '{ n = split($1, t, ","); split($2, l, ","); for (i = 1; i <= n; i++) if ((t[i] == 2 || t[i] == 3) && (l[i] == 1 || l[i] == "True")) c++ } END { print c + 0 }')
if [ "$answers" -ne "$calls" ]; then
  echo "FAIL: $calls calls made but $answers complete answers dissected"
  failed=1
fi
if [ $failed -ne 0 ]; then
  echo "PDU types seen:"
  echo "$types"
  exit 1
fi
echo "ok: $calls calls, every packet dissects as DCE RPC"
echo "$types"
exit 0
