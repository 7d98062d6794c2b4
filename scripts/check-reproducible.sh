#!/usr/bin/env bash
# Builds the installer a second time from a copy of the sources at another
# path, in a clean tree, and compares it byte for byte with dist/.
#   check-reproducible.sh   (after ./dev build; exit 0 when identical)
set -euo pipefail
ROOT=${TALVEK_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
BUILD=${TALVEK_BUILD_DIR:-$ROOT/build}
SECOND=$BUILD/repro

rm -rf "$SECOND"
mkdir -p "$SECOND/src"
# The working tree as it is (committed or not), without builds and outputs.
tar -C "$ROOT" --exclude=./build --exclude=./build-* --exclude=./dist --exclude=./.git --exclude=__pycache__ -cf - . | tar -C "$SECOND/src" -xf -

cmake -S "$SECOND/src" -B "$SECOND/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$SECOND/src/cmake/mingw-i686.cmake" \
  -DTALVEK_DEPS_DIR="$BUILD/deps" -DTALVEK_HOST_TOOLS_DIR="$BUILD/host/tools" -DCMAKE_BUILD_TYPE=Release \
  -DTALVEK_DIST_DIR="$SECOND/dist" >/dev/null
timeout 1800 cmake --build "$SECOND/win" --target TalvekSetup -j "$(nproc)" >/dev/null

first=$(sha256sum "$ROOT/dist/TalvekSetup.exe" | cut -d' ' -f1)
second=$(sha256sum "$SECOND/dist/TalvekSetup.exe" | cut -d' ' -f1)
echo "first build:  $first"
echo "second build: $second"
if [ "$first" != "$second" ]; then
  cmp -l "$ROOT/dist/TalvekSetup.exe" "$SECOND/dist/TalvekSetup.exe" | head -n 20 || true
  echo "the two builds differ"
  exit 1
fi
echo "identical"
