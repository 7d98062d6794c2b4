#!/usr/bin/env bash
# Launches dist/TalvekSetup.exe (or, where this machine cannot run 32-bit
# code, the 64-bit build of it) under Wine in its own prefix (build/wine/run).
# With a usable DISPLAY the installer runs there until it ends; without one
# it runs on a private Xvfb, a screenshot goes to dist/screenshot.png after a
# few seconds, and everything stops.
set -uo pipefail
ROOT=${TALVEK_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
BUILD=${TALVEK_BUILD_DIR:-$ROOT/build}
export WINEPREFIX=$BUILD/wine/run
SETTLE_SECONDS=${TALVEK_SCREENSHOT_DELAY:-6}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  source "$ROOT/scripts/wine-env.sh"
  bash "$ROOT/scripts/prepare-wineprefix.sh" "$WINEPREFIX" || exit 1
  echo "[run] starting the installer on $DISPLAY"
  exec wine "$TALVEK_WIN_DIST/TalvekSetup.exe"
fi

echo "[run] no display: running headless on Xvfb"
export TALVEK_COMPOSITOR=1
exec bash "$ROOT/scripts/with-display.sh" bash -c "
  source '$ROOT/scripts/wine-env.sh'
  wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
  bash '$ROOT/scripts/prepare-wineprefix.sh' '$WINEPREFIX' || exit 1
  wine \"\$TALVEK_WIN_DIST/TalvekSetup.exe\" >'$BUILD/run.log' 2>&1 &
  sleep $SETTLE_SECONDS
  import -window root '$ROOT/dist/screenshot.png'
  echo '[run] screenshot: dist/screenshot.png'
  wineserver -k
"
