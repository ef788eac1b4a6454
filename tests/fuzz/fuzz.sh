#!/usr/bin/env bash
# fuzz.sh FUZZER SEEDS SECONDS [WORK]
# Runs one fuzz target for SECONDS (at most) over the seed corpus SEEDS, which it only reads: new inputs go to WORK
# (kept between runs) or, without it, to a temporary folder. Every seed runs first, so the inputs kept
# from earlier findings are checked each time. A crash, a leak, a timeout or running out of memory fails
# the run; the input that caused it is kept in findings/<fuzzer>/ beside the fuzzer.
set -euo pipefail
fuzzer=$1 seeds=$2 seconds=$3 work=${4:-}
if [ -z "$work" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
findings=$(dirname "$fuzzer")/findings/$(basename "$fuzzer")
mkdir -p "$work" "$findings"
# The words of the target's input, where it has some: dict/<target>.dict.
target=$(basename "$fuzzer" _fuzz)
words=$(dirname "$0")/dict/$target.dict
dict=()
[ -f "$words" ] && dict=(-dict="$words")
# FUZZ_RUNS and FUZZ_SEED make a run repeatable: that many inputs, from that seed.
repeat=()
[ -n "${FUZZ_RUNS:-}" ] && repeat+=(-runs="$FUZZ_RUNS")
[ -n "${FUZZ_SEED:-}" ] && repeat+=(-seed="$FUZZ_SEED")
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$findings/" "${dict[@]}" "${repeat[@]}" "$work" "$seeds"
