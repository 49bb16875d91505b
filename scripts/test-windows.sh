#!/bin/sh
# make test-windows: the std-only libraries and their tests, cross-compiled
# for Windows (build-windows/) and run under wine in a wine prefix of their
# own. Tests that need a Linux pseudo-terminal (label pty) are not built
# there.
set -eu
cd "$(dirname "$0")/.."
out=build-windows
jobs=${JOBS:-2}

[ -f "$out/build.ninja" ] || cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DVQ2X_GUI=OFF ${CCACHE:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CCACHE}
cmake --build "$out" -j "$jobs" --target platform_tests comm_tests model_tests data_tests

# A prefix of our own, without the .NET and HTML runtimes, which a console
# program does not need (and which would ask to be downloaded). One wine
# server for all the runs; its messages go to a log.
WINEPREFIX="$(pwd)/$out/wine"
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
mkdir -p "$WINEPREFIX"
"$wineserver" -p >"$out/wineserver.log" 2>&1
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT INT TERM
# Started here, the helper processes of wine (services.exe ...) hold on to
# this log instead of the output of the first test, which ctest would wait
# on until its time-out.
"$wine" wineboot >"$out/wineboot.log" 2>&1

# Emulated threads hand over more slowly; a test whose real-time limit a
# busy machine overran gets one more run.
(cd "$out" && ctest --output-on-failure -j "$jobs" --timeout 600 -LE pty --repeat until-pass:2)
