#!/usr/bin/env bash
# Form benchmark under Wine on a private display (after ./dev build).
# Prints the rebuild-to-present ratio, the options' resize sweeps and the
# idle CPU share.
exec bash "$(dirname "$0")/run-wine-bench.sh" form_bench.exe 'rebuild|shadow|resize|idle' 120
