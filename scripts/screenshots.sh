#!/bin/sh
# Renders the windows offscreen at 100 % and 200 % into docs/screenshots/:
# every window test saves what its window shows at the moments it chooses.
# The virtual screen is a common laptop's at each scale (1920x1080 logical
# pixels), since message boxes size themselves from the screen.
set -eu
build=${1:-build}
out=docs/screenshots
mkdir -p "$out"
screens=$(mktemp -d)
trap 'rm -rf "$screens"' EXIT
for scale in 1 2; do
  cat > "$screens/$scale.json" <<JSON
{ "screens": [ { "name": "laptop", "x": 0, "y": 0, "width": $((1920 * scale)), "height": $((1080 * scale)),
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 } ] }
JSON
  for test in "$build"/bin/gui_*; do
    QT_QPA_PLATFORM=offscreen:configfile="$screens/$scale.json" QT_SCALE_FACTOR=$scale VQ2X_SCREENSHOT_LANGUAGE=1 \
      VQ2X_SCREENSHOT_DIR="$out" VQ2X_SCREENSHOT_SUFFIX="-${scale}00" "$test" >/dev/null 2>&1 || true
  done
done
ls "$out"/*.png
