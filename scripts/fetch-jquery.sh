#!/usr/bin/env bash
# Reproduces the official minified jQuery 1.8.2 into DEST (a file path) from
# the npm registry: the release's unminified build, minified by the uglify-js
# release that made the official file, with the official banner. The result
# is checked byte for byte; anything else is an error, never a silent
# substitute.
set -euo pipefail
dest=${1:?usage: fetch-jquery.sh DEST_FILE}
EXPECTED_SIZE=93435
EXPECTED_SHA256=f554d2f09272c6f71447ebfe4532d3b1dd1959bce669f9a5ccc99e64ef511729

verify() {
  [ -f "$1" ] || return 1
  [ "$(stat -c %s "$1")" = "$EXPECTED_SIZE" ] || return 1
  [ "$(sha256sum "$1" | cut -d' ' -f1)" = "$EXPECTED_SHA256" ]
}

if verify "$dest"; then
  exit 0
fi

command -v npm >/dev/null && command -v node >/dev/null || {
  echo "[deps] jquery: npm and node are needed (run scripts/setup-host.sh)" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "[deps] fetching jquery 1.8.2 and uglify-js 1.0.7 from npm"
( cd "$work" && timeout 600 npm pack --silent jquery@1.8.2 uglify-js@1.0.7 >/dev/null ) || {
  echo "[deps] jquery: npm pack failed" >&2
  exit 1
}
mkdir "$work/jquery" "$work/uglify"
tar -xzf "$work/jquery-1.8.2.tgz" -C "$work/jquery"
tar -xzf "$work/uglify-js-1.0.7.tgz" -C "$work/uglify"

cat > "$work/minify.js" <<'JS'
const fs = require('fs');
const uglify = require(process.argv[2]);
const source = fs.readFileSync(process.argv[3], 'utf8');
let ast = uglify.parser.parse(source);
ast = uglify.uglify.ast_mangle(ast);
ast = uglify.uglify.ast_squeeze(ast);
const banner = '/*! jQuery v1.8.2 jquery.com | jquery.org/license */\n';
fs.writeFileSync(process.argv[4], banner + uglify.uglify.gen_code(ast) + ';');
JS
timeout 300 node "$work/minify.js" "$work/uglify/package/uglify-js.js" \
  "$work/jquery/package/tmp/jquery.js" "$work/jquery.min.js"

if ! verify "$work/jquery.min.js"; then
  echo "[deps] jquery: the minified file does not match (size $(stat -c %s "$work/jquery.min.js"), expected $EXPECTED_SIZE bytes, sha256 $EXPECTED_SHA256)" >&2
  exit 1
fi
mkdir -p "$(dirname "$dest")"
mv "$work/jquery.min.js" "$dest"
echo "[deps] jquery 1.8.2 ready in $dest"
