#!/usr/bin/env bash
# Installer start-up and installation timing under Wine (after ./dev build),
# in its own prefix on a private display, the display server, Wine and the
# timed programs pinned to one core (TALVEK_BENCH_CPU, default 1) so that
# they meet the same scheduling start by start:
#   bash bench/installer_timing.sh [--runs N] [--frame-runs N] [--first-frame-only] [--dpi 144]
#                                  [--installer PATH]
# Prints where the time goes, from the installer's log, beside the targets.
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export TALVEK_BUILD_DIR=${TALVEK_BUILD_DIR:-$ROOT/build}
export WINEPREFIX=$TALVEK_BUILD_DIR/wine/bench-install
exec taskset -c "${TALVEK_BENCH_CPU:-1}" bash "$ROOT/scripts/with-display.sh" bash -c "
  source '$ROOT/scripts/wine-env.sh' && wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
  bash '$ROOT/scripts/prepare-wineprefix.sh' '$WINEPREFIX' >/dev/null 2>&1 || exit 1
  timeout -k 10 1800 python3 '$ROOT/bench/installer_timing.py' $*
  rc=\$?
  wineserver -k 2>/dev/null
  exit \$rc"
