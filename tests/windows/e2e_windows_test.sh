#!/usr/bin/env bash
# The Windows program under Wine in a private X server, used as a person
# would: the clipboard comes from xclip, the buttons are clicked where the
# layout puts them, Windows paths are typed into the common save dialog, and
# the saved bytes are compared with literal files in code page 1252.
# Usage: e2e_windows_test.sh PROGRAM OUTPUT_DIR (in the Wine prefix ctest sets)
source "$(dirname "$0")/../e2e/lib.sh"
e2e_init windows "$1" "$2"
start_xvfb
: "${WINEPREFIX:?}"
# Wine's desktop process keeps the display it started on: restart the
# prefix's processes on this server, output away from ctest's pipe.
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
WIN_DIR="Z:${E2E_TMP//\//\\}"  # E2E_TMP as Wine names it

# Starts the exe; Wine draws the frame inside the X window, with borders of
# one width left, right and below the 813 x 466 client area.
start_program() {
  APP_LOG="$E2E_TMP/program.log"
  (cd "$E2E_TMP" && exec wine "$E2E_PROGRAM") >"$APP_LOG" 2>&1 &
  APP_PID=$!
  poll "$E2E_WAIT" main_window_shown || fail "the window did not appear"
  eval "$(xdotool getwindowgeometry --shell "$MAIN_WIN")"
  BORDER=$(((WIDTH - 813) / 2)) TOP=$((HEIGHT - 466 - (WIDTH - 813) / 2))
}

click() {  # the buttons' centres at 96 dpi
  local -A y=([load]=24 [add]=64 [save]=104)
  xdotool mousemove --window "$MAIN_WIN" $((BORDER + 56)) $((TOP + y[$1])) \
    click 1
}

# Keys go to the focused window: there is no window manager to focus it.
keys() { xdotool windowfocus --sync "$1" key --delay 20 "${@:2}"; }

# in_dialog NAME [KEY]: in the open save dialog, NAME typed, then KEY
# (Return by default, or Escape).
in_dialog() {
  poll "$E2E_WAIT" dialog_shown || fail "the save dialog did not open"
  xdotool windowfocus --sync "$DIALOG_WIN" type --delay 8 "$WIN_DIR\\$1"
  keys "$DIALOG_WIN" "${2:-Return}"
  poll "$E2E_WAIT" dialog_gone || fail "the save dialog did not close"
}
save() { click save && in_dialog "$@"; }
dialog_shown() { DIALOG_WIN=$(xdotool search --onlyvisible --name '^Save As$' 2>/dev/null | head -n 1) && [[ -n $DIALOG_WIN ]]; }

# expect NAME BYTES: NAME holds BYTES (printf %b), and no warning shows.
expect() {
  printf '%b' "$2" >"$E2E_TMP/expected"
  poll 10 cmp -s "$E2E_TMP/$1" "$E2E_TMP/expected" ||
    expect_bytes "$E2E_TMP/$1" "$E2E_TMP/expected"
  expect_no_message_box
}
warning_closed() { close_message_box; }

start_program
log "case keyboard: Enter on the focused button loads; Tab Tab Space saves"
own_clipboard_text 'The cat sat.  The  dog   ran.\nCafé € ā ∞ end. Rest'
keys "$MAIN_WIN" Return Tab Tab space
in_dialog cp1252
lines=' 1. The cat sat.\r\n 2.  The dog ran.\r\n 3.  Caf\xe9 \x80 ? ? end.\r\n'
expect cp1252 "$lines"

log "case add more, then the existing file overwritten without a question"
click add
save cp1252
expect cp1252 "$lines 4. The cat sat.\r\n 5.  The dog ran.\r\n 6.  Caf\xe9 \x80 ? ? end.\r\n"

log "case cancel writes nothing"
save cancelled Escape
[[ ! -e $E2E_TMP/cancelled ]] || fail "a cancelled save wrote a file"

log "case a failed save warns and keeps the list"
own_clipboard_text 'One. Two.'
click load
save 'missing\kept'
close_message_box
save kept
expect kept ' 1. One.\r\n 2.  Two.\r\n'

log "case the full list warns; 1000 sentences are held"
for _ in {1..1003}; do printf 'S. '; done >"$E2E_TMP/many.in"
own_clipboard "$E2E_TMP/many.in"
click load
close_message_box
save full
{ printf ' 1. S.\r\n' && printf ' %d.  S.\r\n' {2..1000}; } >"$E2E_TMP/full.expected"
expect_bytes "$E2E_TMP/full" "$E2E_TMP/full.expected"

keys "$MAIN_WIN" alt+F4
poll "$E2E_WAIT" process_ended "$APP_PID" || fail "Alt+F4 did not end the program"
log "passed"
