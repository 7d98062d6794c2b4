#!/usr/bin/env bash
# Form benchmark under Wine on a private display (after ./dev build).
# Prints the rebuild-to-present ratio and the idle CPU share.
set -uo pipefail
ROOT=${TALVEK_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
BUILD=${TALVEK_BUILD_DIR:-$ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$BUILD/wine/bench}
bash "$ROOT/scripts/with-display.sh" bash -c "
  source '$ROOT/scripts/wine-env.sh' && wineserver -k 2>/dev/null; wineserver -w 2>/dev/null;
  bash '$ROOT/scripts/prepare-wineprefix.sh' '$WINEPREFIX' >/dev/null 2>&1 || exit 1
  cd '$BUILD/win/bench' && timeout -k 5 120 wine form_bench.exe > '$BUILD/form_bench.log' 2>&1
  rc=\$?; wineserver -k 2>/dev/null; exit \$rc"
rc=$?
grep -a -E 'rebuild|shadow|idle' "$BUILD/form_bench.log"
exit $rc
