# shellcheck shell=bash disable=SC2034  # (variables lib.sh and the tests read)
# What the Windows program's end-to-end test and figures add to tests/e2e/
# lib.sh: Wine on the private X server, the exe started through wine with
# the client area's place inside Wine's own window frame, and keys sent
# without a window manager. Sourced after lib.sh; needs WINEPREFIX (a prefix
# wine-prefix.sh made).

# restart_wine: Wine's desktop process keeps the display it started on, so
# the prefix's processes start again on this server, with their output away
# from ctest's pipe. WIN_DIR is $TMP as Windows names it.
restart_wine() {
  : "${WINEPREFIX:?}"
  wineserver -k 2>/dev/null || true
  wineserver -w
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
  WIN_DIR="Z:${TMP//\//\\}"
}

# start_exe EXE: starts EXE under Wine and finds its 813 x 466 client area:
# Wine draws a frame inside the X window, one width left, right and below.
start_exe() {
  start_program wine "$1"
  local WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$MAIN_WIN" | grep -E '^(WIDTH|HEIGHT)=')"
  CLIENT_DX=$(((WIDTH - 813) / 2))
  CLIENT_DY=$((HEIGHT - 466 - CLIENT_DX))
}

# keys WINDOW KEY...: without a window manager nothing focuses a window.
keys() { xdotool windowfocus --sync "$1" key --delay 20 "${@:2}"; }
