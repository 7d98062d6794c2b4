#!/usr/bin/env bash
# Creates a private Wine prefix of the architecture wine-env.sh chose, once:
# Chinese fonts mapped to WenQuanYi Micro Hei, and a wineserver kept alive
# for the suite.
set -euo pipefail
export WINEPREFIX=$1
source "$(dirname "$0")/wine-env.sh"
stamp=$WINEPREFIX/.talvek-ready-$WINEARCH

if [ ! -f "$stamp" ]; then
  echo "[wine] creating prefix $WINEPREFIX" >&2
  rm -rf "$WINEPREFIX"
  timeout -k 5 180 wineboot -i >/dev/null 2>&1 || { echo "[wine] wineboot failed" >&2; exit 1; }
  timeout 60 wineserver -w || true

  # regedit reads non-ASCII names correctly only from UTF-16LE with a BOM.
  reg=$WINEPREFIX/talvek-fonts.reg
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"微软雅黑"="WenQuanYi Micro Hei"' '"宋体"="WenQuanYi Micro Hei"' '' |
    iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
  timeout 60 wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
  timeout 60 wineserver -w || true
  touch "$stamp"
fi

# A persistent wineserver saves the start-up cost of every test process; a
# second one for the same prefix simply exits. Wine's own service processes
# start with the first program and inherit its output: start them here, on
# /dev/null, so no test's output pipe is held open after the test ends.
(wineserver -p 600 </dev/null >/dev/null 2>&1 &)
timeout -k 5 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
