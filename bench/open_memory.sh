#!/usr/bin/env bash
# The memory it takes to open a large page: the peak resident set of `tarnlink --automate` opening a page
# of LINKS links and closing the dialog at once, as a user who opens and leaves it, less the peak of the
# same program on an empty page, divided by the page's size. The dialog is set to start by hand
# (XDG_CONFIG_HOME), so no link is requested; the links name 127.0.0.1 at a port nobody listens on all
# the same. Each page is opened ROUNDS times (default 3) and the median peak is taken; peaks come from
# /usr/bin/time (GNU time, Debian package `time`).
#
# Usage: bench/open_memory.sh [LINKS...]   (default 10000 100000; build first: tarnlink and the module)
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=${BUILD_DIR:-build}/bin
ROUNDS=${ROUNDS:-3}
PORT=${BENCH_PORT:-18797}
[ $# -gt 0 ] || set -- 10000 100000

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config/tarn"
printf '[Software\\Tarn\\Tarnpage\\Options]\n"isLinkCheckManualStart"=dword:00000001\n' \
  > "$work/config/tarn/registry.ini"

# page FILE COUNT: COUNT links of about 65 bytes each, as a site's plain index has them.
page() {
  {
    echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title>links</title></head><body><ul>'
    awk -v n="$2" -v port="$PORT" \
      'BEGIN { for (i = 0; i < n; i++) printf "<li><a href=\"http://127.0.0.1:%d/ok/%d\">link %d</a></li>\n", port, i, i }'
    echo '</ul></body></html>'
  } > "$1"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# peak FILE: the median peak resident set in KiB of opening FILE and closing the dialog.
peak() {
  local i
  for ((i = 0; i < ROUNDS; i++)); do
    echo '{"op":"close"}' | XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" \
      /usr/bin/time -f %M -o "$work/time" "$BIN/tarnlink" --automate "$1" >"$work/out" 2>"$work/err" ||
      { echo "failed: tarnlink --automate $1 ($(head -c 300 "$work/err"))" >&2; exit 1; }
    grep -q '"event":"exit"' "$work/out" || { echo "no exit line from tarnlink --automate $1" >&2; exit 1; }
    cat "$work/time"
  done | median
}

page "$work/empty.html" 0
empty=$(peak "$work/empty.html")
echo "tarnlink --automate, open and close ($BIN; load $(cut -d' ' -f1-3 /proc/loadavg))"
printf '  %-14s %10s %12s %14s %10s\n' links page "peak RSS" "above empty" "x page"
printf '  %-14s %10s %9.1f MB\n' "empty page" "" "$(awk -v k="$empty" 'BEGIN { print k * 1024 / 1e6 }')"
for links in "$@"; do
  page "$work/page.html" "$links"
  size=$(stat -c %s "$work/page.html")
  kib=$(peak "$work/page.html")
  awk -v n="$links" -v s="$size" -v k="$kib" -v e="$empty" 'BEGIN {
    printf "  %-14d %7.2f MB %9.1f MB %11.1f MB %10.2f\n", n, s / 1e6, k * 1024 / 1e6, (k - e) * 1024 / 1e6, (k - e) * 1024 / s }'
done
