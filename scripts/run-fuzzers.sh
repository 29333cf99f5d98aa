#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzzing build for a bounded time each.
# usage: run-fuzzers.sh <build folder> <seconds per target>
set -euo pipefail
build=$1
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$build"/bin/fuzz_*; do
  [[ -x "$target" ]] || continue
  name=$(basename "$target")
  name=${name#fuzz_}
  work="$build/corpus/$name"
  mkdir -p "$work"
  seeds=()
  [[ -d "$root/fuzz/corpus/$name" ]] && seeds=("$root/fuzz/corpus/$name")
  echo "== $name (${seconds}s)"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/crash-$name-" "$work" "${seeds[@]}" > "$build/fuzz-$name.log" 2>&1; then
    echo "   FAILED: see $build/fuzz-$name.log"
    tail -30 "$build/fuzz-$name.log"
    status=1
  else
    grep -E 'stat::number_of_executed_units' "$build/fuzz-$name.log" || true
  fi
done
exit $status
