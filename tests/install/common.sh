# What the tests of the installed program share: a temporary folder, the demo site on 127.0.0.1 and a page
# linking to it. Sourced by the tests; BUILD_DIR is the build folder.
set -euo pipefail

work=$(mktemp -d)
server=
cleanup() {
  local status=$?
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts the demo site on a free port of 127.0.0.1 and writes $work/page.html linking to two of its pages.
start_site() {
  local port attempt _
  for attempt in $(seq 20); do
    port=$((20000 + RANDOM % 30000))
    "$BUILD_DIR/bin/demo_server" "$port" 2>/dev/null & server=$!
    for _ in $(seq 50); do
      (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break 2
      kill -0 "$server" 2>/dev/null || break
      sleep 0.1
    done
    kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true; server=
  done
  [ -n "$server" ] || fail "the demo site did not start"
  printf '<p><a href="http://127.0.0.1:%s/">home</a> <a href="http://127.0.0.1:%s/search">search</a></p>\n' \
    "$port" "$port" > "$work/page.html"
}

# PROGRAM checks the page with the module it finds itself, and prints the version it was built as.
check_with() {
  local program=$1 version=$2 output
  output=$(XDG_CONFIG_HOME="$work/config" "$program" --check "$work/page.html") ||
    fail "$program --check: exit $? ($output)"
  grep -q '2 links, 2 OK' <<< "$output" || fail "$program --check reported: $output"
  [ "$("$program" --version)" = "tarnlink $version" ] || fail "$program --version: $("$program" --version)"
}
