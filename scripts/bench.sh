#!/bin/sh
# Speed and CPU of the serial stack and of the main window while polling,
# the graph's redraw and sample rate, and the transfers against the line's
# own time (not tests: they print figures).
set -eu
build=${1:-build}
echo "== serial library against a peer that answers at once"
"$build/bin/comm_polling_bench" 10
echo "== main window against vq2x-sim"
"$build/bin/main_window_polling_bench" 10 2>/dev/null
echo "== main window against vq2x-sim, fast transfers"
"$build/bin/main_window_polling_bench" --fast 10 2>/dev/null
echo "== graph window: redraw of a full plot, sample rate against vq2x-sim --wire-time"
"$build/bin/graph_bench" 20 2>/dev/null
echo "== read and write windows against vq2x-sim --wire-time, without and with fast transfers"
"$build/bin/transfer_bench" --fast 2>/dev/null
