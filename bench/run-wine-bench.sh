#!/usr/bin/env bash
# Runs one benchmark program of build/win/bench under Wine on a private
# display and its own prefix, then prints the lines of its output that
# match a pattern. Usage: run-wine-bench.sh PROGRAM.exe PATTERN [SECONDS]
set -uo pipefail
PROGRAM=$1
PATTERN=$2
SECONDS_ALLOWED=${3:-120}
ROOT=${TALVEK_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
BUILD=${TALVEK_BUILD_DIR:-$ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$BUILD/wine/bench}
LOG=$BUILD/${PROGRAM%.exe}.log
bash "$ROOT/scripts/with-display.sh" bash -c "
  source '$ROOT/scripts/wine-env.sh' && wineserver -k 2>/dev/null; wineserver -w 2>/dev/null;
  bash '$ROOT/scripts/prepare-wineprefix.sh' '$WINEPREFIX' >/dev/null 2>&1 || exit 1
  cd '$BUILD/win/bench' && timeout -k 5 $SECONDS_ALLOWED wine '$PROGRAM' > '$LOG' 2>&1
  rc=\$?; wineserver -k 2>/dev/null; exit \$rc"
rc=$?
grep -a -E "$PATTERN" "$LOG"
exit $rc
