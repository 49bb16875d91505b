#!/bin/sh
# Renders the windows offscreen at 100 % and 200 % into docs/screenshots/:
# every window test saves what its window shows at the moments it chooses.
set -eu
build=${1:-build}
out=docs/screenshots
mkdir -p "$out"
for scale in 1 2; do
  for test in "$build"/bin/gui_*; do
    QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale VQ2X_SCREENSHOT_LANGUAGE=1 \
      VQ2X_SCREENSHOT_DIR="$out" VQ2X_SCREENSHOT_SUFFIX="-${scale}00" "$test" >/dev/null 2>&1 || true
  done
done
ls "$out"/*.png
