# shellcheck shell=bash disable=SC2034  # (variables lib.sh reads)
# What the Windows program's end-to-end test and figures add to tests/e2e/
# lib.sh: Wine on the private X server, the exe started through wine, clicks
# at the layout's places inside Wine's own window frame, keys without a
# window manager, and the common save dialog with typed Windows paths.
# Sourced after lib.sh; needs WINEPREFIX (a prefix wine-prefix.sh made).

# restart_wine: Wine's desktop process keeps the display it started on, so
# the prefix's processes start again on this server, with their output away
# from ctest's pipe. Sets WIN_DIR, E2E_TMP as Windows names it.
restart_wine() {
  : "${WINEPREFIX:?}"
  wineserver -k 2>/dev/null || true
  wineserver -w
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
  WIN_DIR="Z:${E2E_TMP//\//\\}"
}

# start_program [EXE]: starts the exe (E2E_PROGRAM by default) and waits for
# its window. Wine draws the frame inside the X window, with borders of
# one width left, right and below the 813 x 466 client area.
start_program() {
  APP_LOG="$E2E_TMP/program.log"
  (cd "$E2E_TMP" && exec wine "${1:-$E2E_PROGRAM}") >"$APP_LOG" 2>&1 &
  APP_PID=$!
  poll "$E2E_WAIT" main_window_shown || fail "the window did not appear"
  eval "$(xdotool getwindowgeometry --shell "$MAIN_WIN")"
  BORDER=$(((WIDTH - 813) / 2)) TOP=$((HEIGHT - 466 - (WIDTH - 813) / 2))
}

# click BUTTON: the centre of "load", "add" or "save" (96-dpi layout).
click() {
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
dialog_shown() {
  DIALOG_WIN=$(xdotool search --onlyvisible --name '^Save As$' 2>/dev/null |
    head -n 1) && [[ -n $DIALOG_WIN ]]
}

