# shellcheck shell=bash disable=SC2034  # (variables lib.sh and the tests read)
# Wine on lib.sh's private X server, for the Windows tests and figures.

# make_prefix: the tests' Wine prefix afresh, the locales for code pages 1252
# and 932 in LOCPATH, and no window manager stalls (Managed=N).
make_prefix() {
  : "${LOCPATH:?}"
  stop_wine
  rm -rf "$WINEPREFIX"
  mkdir -p "$LOCPATH"
  for locale in en_US ja_JP; do
    [[ -d $LOCPATH/$locale.UTF-8 ]] || localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8"
  done
  LC_ALL=en_US.UTF-8 timeout 120 wineboot -i </dev/null >>"$TMP/wine.log" 2>&1 || fail "wineboot -i: $?"
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    </dev/null >>"$TMP/wine.log" 2>&1 || fail "reg add Managed: $?"
  restart_wine
}

# stop_wine: the prefix's wineserver has ended.
stop_wine() {
  : "${WINEPREFIX:?}"
  wineserver -k 2>/dev/null || true
  timeout 30 wineserver -w || fail "the wineserver did not end"
}

# restart_wine: Wine's processes on this display (they keep the one they
# started on), output in wine.log; WIN_DIR is $TMP for Windows.
restart_wine() {
  stop_wine
  wineserver -p </dev/null >/dev/null 2>&1 || fail "wineserver -p: $?"
  timeout 60 wine cmd /c exit </dev/null >>"$TMP/wine.log" 2>&1 || fail "Wine's warm-up: $?"
  WIN_DIR="Z:${TMP//\//\\}"
}

# on_failure: Wine's error lines, its processes with their displays, windows.
on_failure() {
  local pid
  mkdir -p "$ARTIFACTS" && cp "$TMP"/*.log "$ARTIFACTS/"
  for pid in $(grep -lzxF "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ | tr -dc '0-9\n'); do
    echo "$(ps -o pid=,ppid=,etime=,args= -p "$pid") $(grep -az ^DISPLAY= "/proc/$pid/environ" | tr -d '\0')"
  done 2>/dev/null | grep -v '^ *$' >"$ARTIFACTS/wine-ps.txt"
  [[ -z $XVFB_DISPLAY ]] || DISPLAY=$XVFB_DISPLAY xwininfo -root -tree >"$ARTIFACTS/xwininfo.txt" 2>&1
}
