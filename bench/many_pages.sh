#!/usr/bin/env bash
# tarnlink --check over a folder of PAGES small pages, each with LINKS links to one loopback
# bench/link_server. A link that answered 2xx on one page is not asked again on the next, so after the
# first page what a page costs is the program's own work for it: reading and parsing it, the host window,
# the module's dialog, its settings. Prints the whole run and the milliseconds a page beyond the first.
#
# Usage: bench/many_pages.sh [PAGES] [LINKS]   (build first: ./run build)
set -euo pipefail
cd "$(dirname "$0")/.."
PAGES=${1:-1000}
LINKS=${2:-3}
PORT=${BENCH_PORT:-18796}
BIN=${BUILD_DIR:-build}/bin

work=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/site" "$work/one" "$work/config"

page() {
  echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title>page</title></head><body><ul>'
  for ((l = 0; l < LINKS; l++)); do
    echo "<li><a href=\"http://127.0.0.1:$PORT/ok/$l\">link $l</a></li>"
  done
  echo '</ul></body></html>'
}
page > "$work/one/page.html"
for ((p = 0; p < PAGES; p++)); do cp "$work/one/page.html" "$work/site/page$p.html"; done

"$BIN/link_server" "$PORT" 0 & server=$!
for _ in $(seq 50); do curl -s "http://127.0.0.1:$PORT/__stats" >/dev/null && break; sleep 0.1; done

# seconds FOLDER: the wall time of one batch check of FOLDER.
seconds() {
  local start end
  start=$(date +%s.%N)
  XDG_CONFIG_HOME="$work/config" "$BIN/tarnlink" --check "$1" >/dev/null
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }'
}

one=$(seconds "$work/one")
all=$(seconds "$work/site")
echo "$PAGES pages of $LINKS links on loopback; load $(cut -d' ' -f1-3 /proc/loadavg)"
awk -v p="$PAGES" -v o="$one" -v a="$all" \
    'BEGIN { printf "  one page %.3f s, %d pages %.3f s: %.2f ms a page beyond the first\n", o, p, a, (a - o) * 1000 / (p - 1) }'
