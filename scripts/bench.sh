#!/bin/sh
# Speed and CPU of the serial stack (not a test: prints figures).
set -eu
build=${1:-build}
"$build/bin/comm_polling_bench" 10
