# shellcheck shell=bash disable=SC2034  # (variables lib.sh and the tests read)
# What the Windows program's end-to-end test and figures add to tests/e2e/
# lib.sh: Wine on the private X server, the exe started through wine with
# the client area's place inside Wine's own window frame, and keys sent
# without a window manager. Sourced after lib.sh; needs WINEPREFIX.

# make_prefix: the Wine prefix the Windows tests share, made afresh, with the
# en_US and ja_JP UTF-8 locales in LOCPATH (Wine takes the ANSI code page from
# the locale) and no window manager stalls (Managed=N).
make_prefix() {
  : "${WINEPREFIX:?}" "${LOCPATH:?}"
  stop_wine
  rm -rf "$WINEPREFIX"
  mkdir -p "$LOCPATH"
  for locale in en_US ja_JP; do
    [[ -d $LOCPATH/$locale.UTF-8 ]] || localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8"
  done
  LC_ALL=en_US.UTF-8 timeout 120 wineboot -i </dev/null >/dev/null 2>&1
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  restart_wine
}

# stop_wine: the prefix's wineserver is told to end, and has ended.
stop_wine() {
  : "${WINEPREFIX:?}"
  wineserver -k 2>/dev/null || true
  timeout 30 wineserver -w || fail "the wineserver did not end"
}

# restart_wine: Wine's desktop process keeps the display it started on, so
# the prefix's processes start again on this server, warmed, with their output
# away from ctest's pipe (or ctest may wait forever). WIN_DIR is $TMP as
# Windows names it.
restart_wine() {
  stop_wine
  wineserver -p </dev/null >/dev/null 2>&1
  timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1
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
keys() { focus "$1" && xdotool key --delay 20 "${@:2}"; }
