#!/usr/bin/env bash
# The installer around a product of real size, under Wine in its own prefix
# on a private display (after ./dev build). Pin it, as the targets mean:
#   taskset -c 1 bash bench/large_product_bench.sh [--reps N] [--sizes full,tenth] [--reuse-installers] [--evidence]
#       [--before DIR]
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export ROOT TALVEK_BUILD_DIR=${TALVEK_BUILD_DIR:-$ROOT/build}
export WINEPREFIX=$TALVEK_BUILD_DIR/wine/bench-large

# One session on the private display: a fresh wineserver, the prefix made
# ready, the benchmark bounded in time, and no Wine program left behind.
bench_session() {
  source "$ROOT/scripts/wine-env.sh"
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  bash "$ROOT/scripts/prepare-wineprefix.sh" "$WINEPREFIX" >/dev/null 2>&1 || return 1
  timeout -k 10 3000 python3 "$ROOT/bench/large_product_bench.py" "$@"
  local rc=$?
  wineserver -k 2>/dev/null
  return $rc
}
export -f bench_session
exec bash "$ROOT/scripts/with-display.sh" bash -c 'bench_session "$@"' session "$@"
