#!/usr/bin/env bash
# tarnlink --check beside other link checkers, end to end, on the same loopback site (bench/link_server)
# with 0 and 20 ms of added latency per answer: a page of LINKS links that all answer 200, and a mixed
# one (80 % 200, 15 % 404, 5 % 301 to a 200). Prints wall time, peak memory (maximum resident set) and
# the link requests per link for each checker, one request at a time where it can be set and at its
# default, and the floor: the same HEAD requests in sequence on one kept-alive connection.
#
# The other checkers are not dependencies of the project. LinkChecker and the W3C checker come from
# Debian's archive (apt-get install linkchecker w3c-linkchecker); linkinator and broken-link-checker
# from the npm registry, installed by this script into bench/peers/ (git ignores it). LinkChecker is
# given a rate without pauses, which the site allows it in every answer. A checker that is
# missing is left out. The W3C checker waits at least a second between requests to a server, so it
# checks only the first W3C_LINKS links of each page and its figures are scaled to LINKS.
#
# Usage: bench/compare_checkers.sh [LINKS]   (build first: ./run build)
set -euo pipefail
cd "$(dirname "$0")/.."
LINKS=${1:-1000}
W3C_LINKS=${W3C_LINKS:-20}
PORT=${BENCH_PORT:-18790}
BIN=${BUILD_DIR:-build}/bin
PEERS=bench/peers/node_modules/.bin

if [ ! -x "$PEERS/linkinator" ] || [ ! -x "$PEERS/blc" ]; then
  echo "installing linkinator and broken-link-checker into bench/peers/" >&2
  npm install --no-audit --no-fund --prefix bench/peers linkinator broken-link-checker >/dev/null
fi

work=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/site" "$work/config"
# The W3C checker refuses private addresses unless its configuration allows them.
printf 'Allow_Private_IPs = 1\n' > "$work/checklink.conf"
# LinkChecker's pace with a site that allows it (link_server says so in every answer).
printf '[checking]\nmaxrequestspersecond=100000\n' > "$work/linkcheckerrc"

# page NAME COUNT KIND: KIND "ok" (every link /ok/N) or "mixed".
page() {
  local name=$1 count=$2 kind=$3 i path
  {
    echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title>links</title></head><body><ul>'
    for ((i = 0; i < count; i++)); do
      path=ok
      if [ "$kind" = mixed ]; then
        case $((i % 20)) in 3 | 9 | 15) path=gone ;; 11) path=moved ;; esac
      fi
      echo "<li><a href=\"http://127.0.0.1:$PORT/$path/$i\">link $i</a></li>"
    done
    echo '</ul></body></html>'
  } > "$work/site/$name.html"
}

stats() { curl -s "http://127.0.0.1:$PORT/__stats" | cut -d' ' -f1; }

# measure NAME LINKS SCALE COMMAND...: one row of the table.
measure() {
  local name=$1 links=$2 scale=$3; shift 3
  curl -s "http://127.0.0.1:$PORT/__reset" >/dev/null
  local start end
  start=$(date +%s.%N)
  /usr/bin/time -f '%M' -o "$work/time" "$@" >/dev/null 2>"$work/err" || true
  end=$(date +%s.%N)
  local requests
  requests=$(stats)
  awk -v n="$name" -v s="$start" -v e="$end" -v m="$(tail -1 "$work/time")" -v r="$requests" -v l="$links" \
      -v k="$scale" 'BEGIN { printf "  %-34s %9.2f s %8.1f MB %8.2f\n", n, (e - s) * k, m / 1024, r / l }'
}

run_corpus() {
  local corpus=$1 file="$work/site/$1.html" url="http://127.0.0.1:$PORT/site/$1.html"
  local small="http://127.0.0.1:$PORT/site/$1-w3c.html"
  local scale
  scale=$(awk -v a="$LINKS" -v b="$W3C_LINKS" 'BEGIN { print a / b }')
  echo " corpus $corpus ($LINKS links)            wall time  peak memory  requests/link"
  measure "tarnlink --check" "$LINKS" 1 env XDG_CONFIG_HOME="$work/config" "$BIN/tarnlink" --check "$file"
  if command -v linkchecker >/dev/null; then
    measure "linkchecker --threads 1" "$LINKS" 1 linkchecker -f "$work/linkcheckerrc" --threads 1 -r 1 --check-extern -o none --no-status "$url"
    measure "linkchecker (default 10 threads)" "$LINKS" 1 linkchecker -f "$work/linkcheckerrc" -r 1 --check-extern -o none --no-status "$url"
  fi
  if command -v checklink >/dev/null; then
    measure "w3c checklink (scaled, 1/s)" "$W3C_LINKS" "$scale" env W3C_CHECKLINK_CFG="$work/checklink.conf" \
      checklink -q -b "$small"
  fi
  measure "linkinator --concurrency 1" "$LINKS" 1 "$PEERS/linkinator" "$url" --concurrency 1
  measure "linkinator (default 100)" "$LINKS" 1 "$PEERS/linkinator" "$url"
  measure "blc (default: 1 per host)" "$LINKS" 1 "$PEERS/blc" "$url"
  measure "blc --host-requests 8" "$LINKS" 1 "$PEERS/blc" "$url" --host-requests 8
  grep -o 'http://[^"]*/\(ok\|gone\|moved\)/[0-9]*' "$file" > "$work/urls"
  measure "floor (HEAD, one connection)" "$LINKS" 1 "$BIN/floor_client" "$work/urls"
}

page all200 "$LINKS" ok
page mixed "$LINKS" mixed
page all200-w3c "$W3C_LINKS" ok
page mixed-w3c "$W3C_LINKS" mixed
for latency in 0 20; do
  "$BIN/link_server" "$PORT" "$latency" "$work/site" & server=$!
  for _ in $(seq 50); do curl -s "http://127.0.0.1:$PORT/__stats" >/dev/null && break; sleep 0.1; done
  echo "latency $latency ms"
  run_corpus all200
  run_corpus mixed
  kill "$server"; wait "$server" 2>/dev/null || true; server=
done
