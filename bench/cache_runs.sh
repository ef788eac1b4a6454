#!/usr/bin/env bash
# A CI-like run of tarnlink --check --cache: one page of LINKS links over HOSTS loopback hosts (one
# bench/link_server answering on each, LATENCY ms an answer), one link in FAIL_EVERY (20; 0: none)
# answering 404, checked
# with an empty cache (cold) and again with the cache the first run left (warm). Prints wall time and
# the requests the site saw. The warm run should ask only the failures and take under a tenth of the cold.
#
# Usage: bench/cache_runs.sh [LINKS] [HOSTS] [LATENCY]   (build first: ./run build)
set -euo pipefail
cd "$(dirname "$0")/.."
LINKS=${1:-1000}
HOSTS=${2:-10}
LATENCY=${3:-20}
FAIL_EVERY=${FAIL_EVERY:-20}
PORT=${BENCH_PORT:-18797}
BIN=${BUILD_DIR:-build}/bin

work=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/config"
{
  echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title>links</title></head><body><ul>'
  for ((i = 0; i < LINKS; i++)); do
    path=ok; [ "$FAIL_EVERY" -gt 0 ] && [ $((i % FAIL_EVERY)) -eq $((FAIL_EVERY - 1)) ] && path=gone
    echo "<li><a href=\"http://127.0.0.$((2 + i % HOSTS)):$PORT/$path/$i\">link $i</a></li>"
  done
  echo '</ul></body></html>'
} > "$work/page.html"

"$BIN/link_server" "$PORT" "$LATENCY" --hosts "$HOSTS" & server=$!
for _ in $(seq 50); do curl -s "http://127.0.0.1:$PORT/__stats" >/dev/null && break; sleep 0.1; done

run() {
  local name=$1
  curl -s "http://127.0.0.1:$PORT/__reset" >/dev/null
  local start end
  start=$(date +%s.%N)
  env XDG_CONFIG_HOME="$work/config" "$BIN/tarnlink" --check --cache "$work/cache.json" "$work/page.html" \
    >/dev/null 2>&1 || true
  end=$(date +%s.%N)
  awk -v n="$name" -v s="$start" -v e="$end" -v r="$(curl -s "http://127.0.0.1:$PORT/__stats" | cut -d' ' -f1)" \
      'BEGIN { printf "  %-6s %8.2f s %10d requests\n", n, e - s, r }'
}

failing=0; [ "$FAIL_EVERY" -gt 0 ] && failing=$((LINKS / FAIL_EVERY))
echo "$LINKS links over $HOSTS hosts at $LATENCY ms, $failing answering 404; load $(cut -d' ' -f1-3 /proc/loadavg)"
run cold
run warm
