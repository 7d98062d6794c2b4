#!/usr/bin/env bash
# Runs a command on a private Xvfb display (1280x1024, 24 bit) that ends
# with it. TALVEK_COMPOSITOR=1 also runs xcompmgr so layered windows blend.
# Xvfb picks the display number itself (-displayfd), so suites started at the
# same moment on one machine never race for the same number.
set -uo pipefail
numfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
xvfb=$!
display=""
for _ in $(seq 1 100); do
  n=$(tr -dc 0-9 <"$numfile")
  if [ -n "$n" ] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then display=":$n"; break; fi
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
rm -f "$numfile"
[ -n "$display" ] || { echo "Xvfb did not start" >&2; kill "$xvfb" 2>/dev/null; exit 1; }
export DISPLAY=$display
compositor=""
if [ "${TALVEK_COMPOSITOR:-0}" = 1 ] && command -v xcompmgr >/dev/null; then
  xcompmgr >/dev/null 2>&1 &
  compositor=$!
fi
"$@"
rc=$?
[ -n "$compositor" ] && kill "$compositor" 2>/dev/null
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $rc
