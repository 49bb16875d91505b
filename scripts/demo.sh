#!/bin/sh
# The tool with COM1 wired to a simulated VQ22 (unit 0) on a pseudo-terminal.
# The simulator keeps its parameters in build/demo-state.ini and logs the
# line traffic to build/demo-sim.log.
set -eu
build=${1:-build}
[ $# -gt 0 ] && shift
bin="$build/bin"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "make demo needs a desktop (DISPLAY or WAYLAND_DISPLAY); without one, try: xvfb-run -a make demo" >&2
  exit 1
fi

out=$(mktemp)
"$bin/vq2x-sim" --pty --no-stdin --unit 0:VQ22 --state "$build/demo-state.ini" --log "$build/demo-sim.log" \
  >"$out" </dev/null &
sim=$!
trap 'kill $sim 2>/dev/null; rm -f "$out"' EXIT INT TERM

tries=0
while [ ! -s "$out" ] && [ $tries -lt 50 ]; do sleep 0.1; tries=$((tries + 1)); done
port=$(head -n 1 "$out")
if [ -z "$port" ]; then
  echo "vq2x-sim did not start" >&2
  exit 1
fi
echo "Simulated VQ22 (unit 0) on $port, wired to COM1."
VQ2X_COM1="$port" "$bin/vq2x-tool" "$@"
