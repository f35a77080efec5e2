#!/usr/bin/env bash
# Gives each fuzz target a short run from the committed inputs; fails on the first crash, leak or
# broken property. Usage: fuzz/run.sh BUILD_DIR SECONDS_PER_TARGET
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)

for target in dictionary_file window_prefs form_data; do
  # New inputs go to the build folder; the committed corpus stays as it is.
  scratch=$build/corpus/$target
  mkdir -p "$scratch" "$build/crashes"
  inputs=("$scratch" "$here/corpus/$target")
  [ -d "$here/regressions/$target" ] && inputs+=("$here/regressions/$target")
  log=$build/$target.log
  if ! "$build/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$build/crashes/$target-" "${inputs[@]}" > "$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $target failed (log: $log). Keep the input that $build/crashes/ holds as a regression:"
    echo "  copy it into fuzz/regressions/$target/, and the main test suite replays it."
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz: $target: ${runs:-?} inputs in ${seconds} s, no failure"
done
