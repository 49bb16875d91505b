#!/bin/sh
# make test-windows: the std-only libraries, their tests and the command line
# cross-compiled for Windows (build-windows/) and run under wine, in a wine
# prefix of their own; then vq2x.exe against vq2x-sim through a wine COM
# port, its backup compared with the Linux vq2x's. Tests that need a Linux
# pseudo-terminal (label pty) are not built there.
set -eu
cd "$(dirname "$0")/.."
out=build-windows
linux=build
jobs=${JOBS:-2}
launcher=${CCACHE:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CCACHE}

[ -f "$out/build.ninja" ] || cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DVQ2X_GUI=OFF $launcher
cmake --build "$out" -j "$jobs" --target platform_tests comm_tests model_tests data_tests vq2x
# The simulator and the Linux command line the Windows one is compared with.
[ -f "$linux/build.ninja" ] || cmake -S . -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher
cmake --build "$linux" -j "$jobs" --target vq2x-sim vq2x

# A prefix of our own, without the .NET and HTML runtimes, which a console
# program does not need (and which would ask to be downloaded). One wine
# server for all the runs; its messages go to a log.
WINEPREFIX="$(pwd)/$out/wine"
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
work=$(mktemp -d)
sim=""
cleanup() {
  [ -n "$sim" ] && kill "$sim" 2>/dev/null
  stop_wine
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

# Started here, the helper processes of wine (services.exe ...) hold on to
# this log instead of the output of the first test, which ctest would wait
# on until its time-out.
start_wine() {
  mkdir -p "$WINEPREFIX"
  "$wineserver" -p >>"$out/wineserver.log" 2>&1
  "$wine" wineboot >>"$out/wineboot.log" 2>&1
}
stop_wine() {
  "$wineserver" -k >/dev/null 2>&1 || true
  "$wineserver" -w >/dev/null 2>&1 || true
}
stop_wine  # a server left running by an earlier run
start_wine

# Under wine a thread hands work to another some twenty times more slowly
# than on Linux, and the virtual-line tests have real-time limits of a few
# seconds: one test program at a time, and one that a busy machine still
# made overrun a limit gets another run.
(cd "$out" && ctest --output-on-failure --timeout 600 -LE pty --repeat until-pass:3)

echo "vq2x.exe under wine against vq2x-sim:"
"$linux/bin/vq2x-sim" --pty --no-stdin --unit 0:VQ22 --log "$work/sim.log" >"$work/sim.out" </dev/null &
sim=$!
tries=0
while [ ! -s "$work/sim.out" ] && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
pty=$(head -n 1 "$work/sim.out")
[ -n "$pty" ] || { echo "vq2x-sim did not start" >&2; exit 1; }

# wine's COM5 is the simulator's pseudo-terminal; wine reads its port
# mapping when its server starts.
"$wine" reg add 'HKLM\Software\Wine\Ports' /v COM5 /t REG_SZ /d "$pty" /f >/dev/null 2>&1
stop_wine
start_wine

: >"$work/application.ini"
vq2x_exe() { "$wine" "$out/bin/vq2x.exe" --config "$work/application.ini" --quiet "$@"; }
passed=0
failed=0
pass() { echo "  ok: $1"; passed=$((passed + 1)); }
fail() { echo "  FAILED: $1"; failed=$((failed + 1)); }
check() {  # check NAME EXPECTED-STATUS STATUS OUTPUT-FILE [PATTERN]
  if [ "$3" -eq "$2" ] && { [ -z "${5:-}" ] || grep -q "$5" "$4"; }; then
    pass "$1"
  else
    fail "$1 (status $3, expected $2)"
    cat "$4"
  fi
}

status=0; vq2x_exe --port COM5 info >"$work/info.txt" 2>&1 || status=$?
check "info names the simulated VQ22" 0 $status "$work/info.txt" "VQ22"

status=0; vq2x_exe --port COM5 backup -o "$work/wine.bak" >"$work/backup.txt" 2>&1 || status=$?
check "backup through COM5" 0 $status "$work/backup.txt"
status=0; "$linux/bin/vq2x" --config "$work/application.ini" --quiet --port "$pty" backup -o "$work/linux.bak" \
  >"$work/linux.txt" 2>&1 || status=$?
check "backup on Linux" 0 $status "$work/linux.txt"
if cmp -s "$work/wine.bak" "$work/linux.bak"; then
  pass "both backups are the same $(wc -c <"$work/wine.bak") bytes"
else
  fail "the backups differ"
fi

status=0; vq2x_exe --port COM9 info >"$work/missing.txt" 2>&1 || status=$?
check "a port that is not there" 6 $status "$work/missing.txt" "no such port"

# The device vanishes under a backup: the run ends with its failure.
vq2x_exe --port COM5 backup -o "$work/cut.bak" >"$work/cut.txt" 2>&1 &
run=$!
sleep 2
kill "$sim"; wait "$sim" 2>/dev/null || true; sim=""
status=0; wait "$run" || status=$?
check "the simulator ended under a backup" 3 $status "$work/cut.txt" "."
if [ -e "$work/cut.bak" ]; then fail "no backup file after the failure"; else pass "no backup file after the failure"; fi

echo "vq2x.exe: $passed passed, $failed failed"
[ $failed -eq 0 ]
