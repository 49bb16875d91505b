#!/bin/sh
# Renders the main window offscreen at 100 % and 200 % into docs/.
set -eu
build=${1:-build}
for scale in 1 2; do
  QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale VQ2X_SCREENSHOT_LANGUAGE=1 \
    VQ2X_SCREENSHOT_DIR=docs VQ2X_SCREENSHOT_SUFFIX="-${scale}00" "$build/bin/gui_screenshots" >/dev/null
done
ls docs/*.png
