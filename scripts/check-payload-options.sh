#!/usr/bin/env bash
# Builds the installer around a given archive (TALVEK_PAYLOAD_ZIP) and around
# a given product tree (TALVEK_PRODUCT_DIR), and checks that each is what
# the executable carries. Reuses the second tree of check-reproducible.sh
# when it is there, so only the payload and the link are redone.
set -euo pipefail
ROOT=${TALVEK_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
BUILD=${TALVEK_BUILD_DIR:-$ROOT/build}
WORK=$BUILD/payload-options
TREE=$BUILD/repro/win
SOURCE=$BUILD/repro/src
[ -d "$SOURCE" ] || SOURCE=$ROOT
rm -rf "$WORK"
mkdir -p "$WORK/product/Auxiliary" "$WORK/dist"

# A small product of our own: the stub under the names the installer relies
# on, the read-me and a file in a folder.
for name in Talvek.exe Remover.exe Auxiliary/Beacon.exe; do cp "$BUILD/win/assets/product_stub.exe" "$WORK/product/$name"; done
printf 'options check\r\n' >"$WORK/product/Auxiliary/check.txt"
printf 'read me\r\n' >"$WORK/product/使用说明.txt"
"$BUILD/host/tools/payload_zip" "$WORK/product" "$WORK/given.zip" >/dev/null
# The same without its remover: the build refuses it, naming what is missing.
mkdir -p "$WORK/lacking"
cp -r "$WORK/product/." "$WORK/lacking/"
rm "$WORK/lacking/Remover.exe"
"$BUILD/host/tools/payload_zip" "$WORK/lacking" "$WORK/lacking.zip" >/dev/null

configure() {  # cmake arguments...; the build's output goes to $BUILD_OUTPUT
  cmake -S "$SOURCE" -B "$TREE" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$SOURCE/cmake/mingw-i686.cmake" \
    -DTALVEK_DEPS_DIR="$BUILD/deps" -DTALVEK_HOST_TOOLS_DIR="$BUILD/host/tools" -DCMAKE_BUILD_TYPE=Release \
    -DTALVEK_DIST_DIR="$WORK/dist" "$@" >/dev/null
  timeout 1800 cmake --build "$TREE" --target TalvekSetup -j "$(nproc)" >"${BUILD_OUTPUT:-/dev/null}" 2>&1
}

contains() {  # file, needle file
  python3 -c "import sys; sys.exit(0 if open(sys.argv[2],'rb').read() in open(sys.argv[1],'rb').read() else 1)" "$1" "$2"
}

configure -DTALVEK_PAYLOAD_ZIP="$WORK/given.zip" -DTALVEK_PRODUCT_DIR=
contains "$WORK/dist/TalvekSetup.exe" "$WORK/given.zip" || { echo "TALVEK_PAYLOAD_ZIP: archive not embedded"; exit 1; }
echo "TALVEK_PAYLOAD_ZIP: the given archive is embedded byte for byte"

configure -DTALVEK_PAYLOAD_ZIP= -DTALVEK_PRODUCT_DIR="$WORK/product"
packed=$TREE/assets/payload.zip
contains "$WORK/dist/TalvekSetup.exe" "$packed" || { echo "TALVEK_PRODUCT_DIR: payload not embedded"; exit 1; }
names=$(python3 -c "import zipfile,sys; print(' '.join(zipfile.ZipFile(sys.argv[1], metadata_encoding='gbk').namelist()))" "$packed")
[ "$names" = "Remover.exe Talvek.exe 使用说明.txt Auxiliary/ Auxiliary/Beacon.exe Auxiliary/check.txt" ] ||
  { echo "TALVEK_PRODUCT_DIR: unexpected entries: $names"; exit 1; }
echo "TALVEK_PRODUCT_DIR: the given tree is packed and embedded ($names)"

if BUILD_OUTPUT=$WORK/refused.log configure -DTALVEK_PAYLOAD_ZIP="$WORK/lacking.zip" -DTALVEK_PRODUCT_DIR=; then
  echo "TALVEK_PAYLOAD_ZIP: an archive without Remover.exe was embedded"; exit 1
fi
grep -q "payload check: Remover.exe: is missing" "$WORK/refused.log" ||
  { echo "TALVEK_PAYLOAD_ZIP: the refusal did not name the missing member"; cat "$WORK/refused.log"; exit 1; }
echo "TALVEK_PAYLOAD_ZIP: an archive without Remover.exe refuses the build: $(grep -m1 'payload check: Remover' "$WORK/refused.log")"
