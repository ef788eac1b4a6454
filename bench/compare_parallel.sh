#!/usr/bin/env bash
# tarnlink --check with its look-ahead beside one request at a time (--parallel 1) and beside other link
# checkers at their defaults, on one page of LINKS links spread over HOSTS loopback hosts (127.0.0.2 and
# on, one bench/link_server answering on each) that all answer 200, at 20 and 100 ms of latency per
# answer. Prints wall time, peak memory (maximum resident set), the most connections any one host had
# open at once, and the connections opened in all (with connections reused: about one per place the
# checker fills, --parallel or 4 a host, whichever is fewer).
#
# linkinator and broken-link-checker come from the npm registry, installed by this script into
# bench/peers/ (git ignores it), as compare_checkers.sh does; a checker that cannot be installed is
# left out.
#
# Usage: bench/compare_parallel.sh [LINKS] [HOSTS]   (build first: ./run build)
set -euo pipefail
cd "$(dirname "$0")/.."
LINKS=${1:-1000}
HOSTS=${2:-10}
LATENCIES=${LATENCIES:-"20 100"}
PORT=${BENCH_PORT:-18795}
BIN=${BUILD_DIR:-build}/bin
PEERS=bench/peers/node_modules/.bin

if [ ! -x "$PEERS/linkinator" ] || [ ! -x "$PEERS/blc" ]; then
  echo "installing linkinator and broken-link-checker into bench/peers/" >&2
  npm install --no-audit --no-fund --prefix bench/peers linkinator broken-link-checker >/dev/null || true
fi

work=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/site" "$work/config"

{
  echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title>links</title></head><body><ul>'
  for ((i = 0; i < LINKS; i++)); do
    echo "<li><a href=\"http://127.0.0.$((2 + i % HOSTS)):$PORT/ok/$i\">link $i</a></li>"
  done
  echo '</ul></body></html>'
} > "$work/site/all200.html"
page_url="http://127.0.0.1:$PORT/site/all200.html"

# measure NAME COMMAND...: one row of the table.
measure() {
  local name=$1; shift
  curl -s "http://127.0.0.1:$PORT/__reset" >/dev/null
  local start end
  start=$(date +%s.%N)
  /usr/bin/time -f '%M' -o "$work/time" "$@" >/dev/null 2>"$work/err" || true
  end=$(date +%s.%N)
  local requests connections
  requests=$(curl -s "http://127.0.0.1:$PORT/__stats" | cut -d' ' -f1)
  connections=$(curl -s "http://127.0.0.1:$PORT/__connections" | cut -d' ' -f1-2)
  awk -v n="$name" -v s="$start" -v e="$end" -v m="$(tail -1 "$work/time")" -v r="$requests" \
      -v c="${connections% *}" -v o="${connections#* }" \
      'BEGIN { printf "  %-32s %8.2f s %8.1f MB %10d %8d %8d\n", n, e - s, m / 1024, r, c, o }'
}

echo "$LINKS links over $HOSTS hosts, all answering 200; load $(cut -d' ' -f1-3 /proc/loadavg)"
for latency in $LATENCIES; do
  "$BIN/link_server" "$PORT" "$latency" "$work/site" --hosts "$HOSTS" & server=$!
  for _ in $(seq 50); do curl -s "http://127.0.0.1:$PORT/__stats" >/dev/null && break; sleep 0.1; done
  echo "latency $latency ms                   wall time  peak memory   requests  most to a host  opened"
  measure "tarnlink --check (default)" env XDG_CONFIG_HOME="$work/config" "$BIN/tarnlink" --check "$work/site/all200.html"
  measure "tarnlink --check --parallel 1" env XDG_CONFIG_HOME="$work/config" "$BIN/tarnlink" --check --parallel 1 \
    "$work/site/all200.html"
  [ -x "$PEERS/linkinator" ] && measure "linkinator (default)" "$PEERS/linkinator" "$page_url"
  [ -x "$PEERS/blc" ] && measure "blc (default)" "$PEERS/blc" "$page_url"
  kill "$server"; wait "$server" 2>/dev/null || true; server=
done
