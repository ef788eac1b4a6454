#!/usr/bin/env bash
# tarnlink --check end to end beside its floor, in the same run: a page of LINKS links that all answer
# 200 from the loopback site (bench/link_server) with 0 and 20 ms of added latency per answer, and the
# floor (bench/floor_client): the same HEAD requests in sequence on one kept-alive connection. Each case
# runs with the machine as it is and again while another process keeps one core busy. Prints the median
# wall time of the rounds for the run and for the floor, and run/floor.
#
# Usage: bench/check_floor.sh [LINKS]   (build first: tarnlink, link_server, floor_client)
# ROUNDS (default 3) sets the rounds without latency, ROUNDS_SLOW (default 1) with it; LATENCIES (default
# "0 20") the latencies in ms; BUILD_DIR the build; CHECK_ARGS more options for tarnlink (e.g.
# "--parallel 1" for one request at a time, the floor's own pace).
set -euo pipefail
cd "$(dirname "$0")/.."
LINKS=${1:-1000}
ROUNDS=${ROUNDS:-3}
ROUNDS_SLOW=${ROUNDS_SLOW:-1}
PORT=${BENCH_PORT:-18791}
BIN=${BUILD_DIR:-build}/bin

work=$(mktemp -d)
server=
busy=
stop() {
  [ -n "$busy" ] && kill "$busy" 2>/dev/null
  [ -n "$server" ] && kill "$server" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT
mkdir -p "$work/config"

{
  echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title>links</title></head><body><ul>'
  for ((i = 0; i < LINKS; i++)); do
    echo "<li><a href=\"http://127.0.0.1:$PORT/ok/$i\">link $i</a></li>"
  done
  echo '</ul></body></html>'
} > "$work/page.html"
grep -o "http://[^\"]*/ok/[0-9]*" "$work/page.html" > "$work/urls"

# seconds COMMAND...: the wall time of one run of COMMAND, whose output is dropped.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>"$work/err" || { echo "failed: $* ($(head -c 300 "$work/err"))" >&2; exit 1; }
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f\n", e - s }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# measure LABEL ROUNDS: the run and the floor in turn, ROUNDS times.
measure() {
  local label=$1 rounds=$2 i
  : > "$work/run"
  : > "$work/floor"
  for ((i = 0; i < rounds; i++)); do
    seconds env XDG_CONFIG_HOME="$work/config" "$BIN/tarnlink" --check ${CHECK_ARGS:-} "$work/page.html" >> "$work/run"
    seconds "$BIN/floor_client" "$work/urls" >> "$work/floor"
  done
  awk -v l="$label" -v r="$(median < "$work/run")" -v f="$(median < "$work/floor")" \
    'BEGIN { printf "  %-26s %8.3f s %8.3f s %8.2f\n", l, r, f, r / f }'
}

echo "tarnlink --check ${CHECK_ARGS:-}on $LINKS links that all answer 200 ($BIN; load $(cut -d' ' -f1-3 /proc/loadavg))"
echo "                                  run      floor  run/floor"
for latency in ${LATENCIES:-0 20}; do
  rounds=$ROUNDS
  [ "$latency" -gt 0 ] && rounds=$ROUNDS_SLOW
  "$BIN/link_server" "$PORT" "$latency" & server=$!
  for _ in $(seq 50); do curl -s "http://127.0.0.1:$PORT/__stats" >/dev/null && break; sleep 0.1; done
  measure "$latency ms" "$rounds"
  sh -c 'while :; do :; done' & busy=$!
  measure "$latency ms, one core busy" "$rounds"
  kill "$busy"; wait "$busy" 2>/dev/null || true; busy=
  kill "$server"; wait "$server" 2>/dev/null || true; server=
done
