#!/usr/bin/env bash
# Busy-ring frame benchmark under Wine (after ./dev build). Pin it:
#   taskset -c 1 bash bench/ring_frame_bench.sh
exec bash "$(dirname "$0")/run-wine-bench.sh" ring_frame_bench.exe 'ring|text|letters|percentage' 300
