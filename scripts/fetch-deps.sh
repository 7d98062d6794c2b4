#!/usr/bin/env bash
# Unpacks third-party sources that Debian ships only as source packages into
# DEPS_DIR (default build/deps). Nothing here is committed.
set -euo pipefail
deps=${1:-build/deps}
mkdir -p "$deps"
deps=$(cd "$deps" && pwd)

ZLIB_VERSION=1:1.2.13.dfsg-1
MINIZIP_DIR="$deps/zlib-1.2.13.dfsg/contrib/minizip"

if [ ! -f "$MINIZIP_DIR/unzip.c" ]; then
  echo "[deps] fetching zlib $ZLIB_VERSION sources for minizip"
  ( cd "$deps" && timeout 600 apt-get source -qq "zlib=$ZLIB_VERSION" >/dev/null 2>&1 ) || {
    echo "[deps] apt-get source zlib failed (is the deb-src entry present? run scripts/setup-host.sh)" >&2
    exit 1
  }
fi
test -f "$MINIZIP_DIR/unzip.c"
bash "$(dirname "$0")/fetch-jquery.sh" "$deps/jquery/jquery-1.8.2.min.js"
test -d /usr/src/googletest/googletest || { echo "[deps] googletest sources missing" >&2; exit 1; }
echo "[deps] ready in $deps"
