#!/usr/bin/env bash
# Takes a screenshot of dist/gallery.exe under Wine on a private display
# with a compositor (so the layered window's shadow blends).
# Usage: scripts/gallery-screenshot.sh OUT.png
set -uo pipefail
ROOT=${TALVEK_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
BUILD=${TALVEK_BUILD_DIR:-$ROOT/build}
out=${1:?usage: gallery-screenshot.sh OUT.png}
case "$out" in /*) ;; *) out=$PWD/$out ;; esac
export WINEPREFIX=${WINEPREFIX:-$BUILD/wine/gallery}
export TALVEK_COMPOSITOR=1
bash "$ROOT/scripts/with-display.sh" bash -c "
  source '$ROOT/scripts/wine-env.sh' && wineserver -k 2>/dev/null; wineserver -w 2>/dev/null;
  bash '$ROOT/scripts/prepare-wineprefix.sh' '$WINEPREFIX' >/dev/null 2>&1 || exit 1
  # A grey desktop shows the shadow better than black.
  convert -size 1280x1024 xc:'#7a8290' '$BUILD/gallery-desktop.png' && timeout 10 display -window root '$BUILD/gallery-desktop.png'
  timeout -k 5 60 wine \"\$TALVEK_WIN_DIST/gallery.exe\" >'$BUILD/gallery.log' 2>&1 &
  for _ in \$(seq 1 40); do sleep 0.5; xwininfo -root -tree 2>/dev/null | grep -q 'gallery' && break; done
  sleep 3
  import -window root '$out'
  rc=\$?
  wineserver -k 2>/dev/null
  exit \$rc"
