#!/usr/bin/env bash
# Runs a command on a private Xvfb display (1280x1024, 24 bit) that ends
# with it. TALVEK_COMPOSITOR=1 also runs xcompmgr so layered windows blend.
set -uo pipefail
display=""
for n in $(seq 90 130); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 50); do
  DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
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
