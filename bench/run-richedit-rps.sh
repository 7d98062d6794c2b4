#!/usr/bin/env bash
# Runs bench/richedit_rps.py with the project's Wine environment.
# usage: bench/run-richedit-rps.sh [REQUESTS]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export TALVEK_BUILD_DIR=${TALVEK_BUILD_DIR:-$ROOT/build}
source "$ROOT/scripts/wine-env.sh"
exe=$TALVEK_BUILD_DIR/win/bench/richedit_bench_server.exe
[ -f "$exe" ] || { echo "build first: $exe is missing" >&2; exit 1; }
[ -d "$WINEPREFIX" ] || bash "$ROOT/scripts/prepare-wineprefix.sh" "$WINEPREFIX"
exec timeout 900 python3 "$ROOT/bench/richedit_rps.py" "$exe" "${1:-2000}"
