#!/usr/bin/env bash
# Runs the end-to-end tests of dist/TalvekSetup.exe (the files matching the
# patterns, all by default) and prints, as its last line, SUITE=FILE for each
# result file.
#   run-e2e.sh [PATTERN...]   (after ./dev build; TALVEK_E2E_RUNNERS=2)
set -uo pipefail
ROOT=${TALVEK_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
BUILD=${TALVEK_BUILD_DIR:-$ROOT/build}
RESULTS=$BUILD/results
mkdir -p "$RESULTS"
# Runners side by side take the test files one at a time from one queue,
# the slowest first. Each has its own Wine prefix, display and logs, and
# (where a network namespace can be made) its own loopback, so the fixed
# addresses the installer and the tests listen on never meet.
e2e_runners=${TALVEK_E2E_RUNNERS:-2}
unshare -n true 2>/dev/null || e2e_runners=1
queue=$BUILD/e2e-queue
rm -rf "$queue"
rm -f "$RESULTS"/e2e*.xml
python3 "$ROOT/tests/e2e/run_e2e.py" --queue "$queue" --make-queue "${@:-test_*.py}"
runner_pids=()
results=()
for runner in $(seq 1 "$e2e_runners"); do
  suffix=$([ "$runner" -eq 1 ] || echo "-$runner")
  (
    export WINEPREFIX=$BUILD/wine/e2e$suffix TALVEK_E2E_LOGS=$BUILD/e2e-logs$suffix
    own_loopback=()
    [ "$e2e_runners" -gt 1 ] && own_loopback=(unshare -n bash -c 'ip link set lo up && exec "$@"' loopback)
    # A compositor, so the screenshots show the window as users see it.
    TALVEK_COMPOSITOR=1 "${own_loopback[@]}" bash "$ROOT/scripts/with-display.sh" bash -c "
      source '$ROOT/scripts/wine-env.sh' && wineserver -k 2>/dev/null; wineserver -w 2>/dev/null;
      bash '$ROOT/scripts/prepare-wineprefix.sh' '$WINEPREFIX' &&
      timeout -k 10 2400 python3 '$ROOT/tests/e2e/run_e2e.py' --queue '$queue' \
        --results '$RESULTS/e2e$suffix.xml' >'$RESULTS/e2e$suffix.log' 2>&1"
    grep -E '^\[e2e\]|^(OK|FAILED)' "$RESULTS/e2e$suffix.log"
    source "$ROOT/scripts/wine-env.sh"; wineserver -k 2>/dev/null
  ) >&2 &
  runner_pids+=($!)
  results+=("e2e$suffix=$RESULTS/e2e$suffix.xml")
done
wait "${runner_pids[@]}"
echo "${results[@]}"

