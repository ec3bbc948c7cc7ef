#!/usr/bin/env bash
# The window at scale 1 and at QT_SCALE_FACTOR=2: its client area has the
# layout's size in device pixels, a screenshot of it is kept, and the buttons
# answer at their scaled places (get, add more, save).
#
# Usage: e2e_window_test.sh PROGRAM OUTPUT_DIR (pictures: OUTPUT_DIR/screenshots)
source "$(dirname "$0")/lib.sh"
e2e_init window "$1" "$2"
screenshots=$2/screenshots
mkdir -p "$screenshots"
start_xvfb 1920x1200
printf ' 1. One.\r\n 2.  Two.\r\n 3. One.\r\n 4.  Two.\r\n' >"$E2E_TMP/expected"

for scale in 1 2; do
  log "scale $scale"
  start_program "QT_SCALE_FACTOR=$scale"
  size=$(xwininfo -id "$MAIN_WIN" |
    awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
  [[ $size == "$((813 * scale))x$((466 * scale))" ]] ||
    fail "window is $size at scale $scale"
  # Let the first paint finish before the picture is taken.
  sleep 1
  timeout 60 import -window "$MAIN_WIN" "$screenshots/window-${scale}x.png"

  own_clipboard_text 'One. Two.'
  click load add
  save_and_expect "$E2E_TMP/scale-$scale.txt" "$E2E_TMP/expected"
done

log "passed; screenshots in $screenshots"
