#!/usr/bin/env bash
# Control redraw benchmark under Wine (after ./dev build): both times and
# their ratio. Pin it for steadier numbers:
#   taskset -c 1 bash bench/control_redraw_bench.sh
exec bash "$(dirname "$0")/run-wine-bench.sh" control_redraw_bench.exe 'redraws|repaints|ratio' 300
