#!/usr/bin/env bash
# Runs every test suite against the builds of ./dev, each with a time bound,
# and prints one closing line "N passed, N failed".
set -uo pipefail
ROOT=${TALVEK_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
BUILD=${TALVEK_BUILD_DIR:-$ROOT/build}
RESULTS=$BUILD/results
FUZZ_SECONDS=${TALVEK_FUZZ_SECONDS:-30}
rm -rf "$RESULTS" "$BUILD/win/results" "$BUILD/win64/results"
mkdir -p "$RESULTS" "$BUILD/win/results" "$BUILD/win64/results"
summary_args=()
timings=()
current=""

# Each phase prints its time when it ends, and the summary lists them all.
end_step() {
  [ -n "$current" ] || return 0
  local took=$(( $(date +%s) - step_started ))
  printf -- '--- %s: %d s\n' "$current" "$took"
  timings+=("$(printf '%6d s  %s' "$took" "$current")")
  current=""
}
step() { end_step; printf '\n=== %s\n' "$*"; current=$*; step_started=$(date +%s); }
run_started=$(date +%s)

# The reproducible build's second tree and the payload options' rebuilds
# need only the processor time the Wine suites leave idle: they start now
# at the lowest priority and are awaited before the summary.
(
  started=$(date +%s)
  timeout -k 10 1800 nice -n 19 bash "$ROOT/scripts/check-reproducible.sh" >"$RESULTS/reproducible.log" 2>&1
  python3 "$ROOT/scripts/write-result.py" "$RESULTS/reproducible.xml" reproducible-build $? "$RESULTS/reproducible.log"
  timeout -k 10 1800 nice -n 19 bash "$ROOT/scripts/check-payload-options.sh" >"$RESULTS/payload-options.log" 2>&1
  python3 "$ROOT/scripts/write-result.py" "$RESULTS/payload-options.xml" payload-options $? "$RESULTS/payload-options.log"
  echo $(( $(date +%s) - started )) >"$RESULTS/builds-behind.seconds"
) &
builds_behind=$!

step "native unit tests"
timeout -k 10 600 "$BUILD/host/tests/native_tests" --gtest_output="xml:$RESULTS/native.xml" >"$RESULTS/native.log" 2>&1
tail -n 3 "$RESULTS/native.log"
summary_args+=("native=$RESULTS/native.xml")

# The fuzz targets run for a fixed time each, whatever processor time they
# get: one at a time behind the Wine suites, which leave processors idle
# while they wait on windows, at a priority between theirs and the builds'.
fuzz_one() {  # fuzzer: runs it for its time and writes its result
  local fuzzer=$1 name corpus rc
  name=$(basename "$fuzzer")
  corpus=$BUILD/fuzz-corpus/$name
  mkdir -p "$corpus"
  [ -d "$ROOT/tests/fuzz/corpus/$name" ] && cp -r "$ROOT/tests/fuzz/corpus/$name/." "$corpus/"
  (cd "$BUILD/fuzz" && timeout -k 10 $((FUZZ_SECONDS + 120)) nice -n 10 "$fuzzer" -max_total_time="$FUZZ_SECONDS" \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" >"$RESULTS/$name.log" 2>&1)
  rc=$?
  python3 "$ROOT/scripts/write-result.py" "$RESULTS/$name.xml" "$name" "$rc" "$RESULTS/$name.log"
  echo "$name: exit $rc ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$RESULTS/$name.log" | grep -o '[0-9]*$') runs)"
}
fuzzers=()
for fuzzer in "$BUILD"/fuzz/tests/fuzz_*; do
  [ -x "$fuzzer" ] && fuzzers+=("$fuzzer")
done
(
  started=$(date +%s)
  for fuzzer in "${fuzzers[@]}"; do fuzz_one "$fuzzer"; done >"$RESULTS/fuzz.log"
  echo $(( $(date +%s) - started )) >"$RESULTS/fuzz.seconds"
) &
fuzz_behind=$!
for fuzzer in "${fuzzers[@]}"; do
  summary_args+=("$(basename "$fuzzer")=$RESULTS/$(basename "$fuzzer").xml")
done

# Wine runs the shipped 32-bit programs only where the kernel runs 32-bit
# code; elsewhere the suites run the 64-bit build under 64-bit Wine, and say
# so (scripts/wine-env.sh). Where Wine cannot start at all, every suite that
# needs it fails at once with the reason, rather than each of its tests
# waiting out its bound.
wine_log=$RESULTS/wine-unavailable.log
wine_choice=$( (source "$ROOT/scripts/wine-env.sh" && timeout 60 wine --version >&2 &&
  echo "$TALVEK_WINE_ARCH $TALVEK_WIN_BUILD") 2>"$wine_log")
read -r wine_arch win_build <<<"$wine_choice"
if [ -z "$wine_arch" ]; then
  echo "this machine cannot run Wine; the suites that need Wine fail unrun:" >>"$wine_log"
  tail -n 3 "$wine_log"
  for suite in gallery windows e2e; do
    python3 "$ROOT/scripts/write-result.py" "$RESULTS/$suite-unrun.xml" "$suite" 1 "$wine_log"
    summary_args+=("$suite=$RESULTS/$suite-unrun.xml")
  done
  wine_unavailable=1
elif [ "$wine_arch" = win64 ]; then
  echo "this machine cannot run 32-bit code: the Windows programs run from the 64-bit build under 64-bit Wine"
  arch_label=-64bit
fi

# The gallery's screenshot, on a display and in a prefix of its own, beside
# the Windows tests.
[ -n "${wine_unavailable:-}" ] || (
  started=$(date +%s)
  timeout -k 10 300 bash "$ROOT/scripts/gallery-screenshot.sh" "$BUILD/gallery.png" >"$RESULTS/gallery.log" 2>&1
  python3 "$ROOT/scripts/write-result.py" "$RESULTS/gallery.xml" gallery-screenshot $? "$RESULTS/gallery.log"
  echo $(( $(date +%s) - started )) >"$RESULTS/gallery.seconds"
) &
gallery_beside=$!
[ -n "${wine_unavailable:-}" ] || summary_args+=("gallery${arch_label:-}=$RESULTS/gallery.xml")

step "Windows tests under Wine"
[ -n "${wine_unavailable:-}" ] || (
  export WINEPREFIX=$BUILD/wine/unit
  # A small full drive for the tests of writes that fail, where we may mount one.
  full_dir=$BUILD/full-drive
  mkdir -p "$full_dir"
  if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs "$full_dir" 2>/dev/null; then
    dd if=/dev/zero of="$full_dir/filler" bs=4k 2>/dev/null
    export TALVEK_FULL_DIR="Z:$(echo "$full_dir/" | tr / '\\')"
    trap 'umount "$full_dir" 2>/dev/null' EXIT
  fi
  # A wineserver left from an earlier run would keep Wine's desktop on a
  # display that no longer exists: start from a fresh one on this display.
  bash "$ROOT/scripts/with-display.sh" bash -c "
    source '$ROOT/scripts/wine-env.sh' && wineserver -k 2>/dev/null; wineserver -w 2>/dev/null;
    bash '$ROOT/scripts/prepare-wineprefix.sh' '$WINEPREFIX' &&
    timeout -k 10 1200 ctest --test-dir '$win_build' --output-on-failure --timeout 900 >'$RESULTS/windows.log' 2>&1"
  tail -n 5 "$RESULTS/windows.log"
  source "$ROOT/scripts/wine-env.sh"; wineserver -k 2>/dev/null
)
[ -n "${wine_unavailable:-}" ] || summary_args+=("windows${arch_label:-}=$win_build/results/windows.xml")

step "end-to-end tests of dist/TalvekSetup.exe"
if [ -z "${wine_unavailable:-}" ]; then
  for result in $(bash "$ROOT/scripts/run-e2e.sh"); do
    summary_args+=("${result%%=*}${arch_label:-}=${result#*=}")
  done
fi

step "gallery screenshot (taken beside the Windows tests)"
wait "$gallery_beside"
echo "build/gallery.png, its own time: $(cat "$RESULTS/gallery.seconds" 2>/dev/null || echo '?') s"

step "fuzz targets (${FUZZ_SECONDS}s each, begun after the native tests, behind the rest)"
wait "$fuzz_behind"
cat "$RESULTS/fuzz.log"
echo "their own time: $(cat "$RESULTS/fuzz.seconds" 2>/dev/null || echo '?') s"

step "reproducible build and payload options (begun at the start, behind the rest)"
wait "$builds_behind"
tail -n 1 "$RESULTS/reproducible.log"
cat "$RESULTS/payload-options.log"
echo "their own time: $(cat "$RESULTS/builds-behind.seconds" 2>/dev/null || echo '?') s"
summary_args+=("reproducible=$RESULTS/reproducible.xml" "payload-options=$RESULTS/payload-options.xml")

step "summary"
printf '%s\n' "${timings[@]}"
printf '%6d s  the whole run\n' $(( $(date +%s) - run_started ))
python3 "$ROOT/scripts/summarize-results.py" "${summary_args[@]}"
