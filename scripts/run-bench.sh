#!/usr/bin/env bash
# Runs every benchmark of a benchmark build.
# usage: run-bench.sh <build folder>
set -euo pipefail
build=$1
for b in "$build"/bin/bench_*; do
  [[ -x "$b" ]] || continue
  echo "== $(basename "$b")"
  "$b"
done
