# shellcheck shell=bash
# The end-to-end tests' tools, driven with xdotool and xclip in a private X
# server. Every wait is bounded; a failure exits 1 with a screenshot.
set -eEuo pipefail
TITLE='Vantrel Article Converter'
TMP=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-e2e.XXXXXX")
ARTIFACTS=${ARTIFACTS:-$TMP}
PIDS=() APP_PID='' CLIP_PID='' MAIN_WIN='' DIALOG='' XVFB_DISPLAY=''
trap 'trap - ERR; set +e; kill "${PIDS[@]}" 2>/dev/null; wait; rm -rf "$TMP"' EXIT
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

fail() {
  trap - ERR
  echo "FAIL: $*" >&2
  # A picture of our own server only, never of the caller's display.
  mkdir -p "$ARTIFACTS"
  [[ -z $XVFB_DISPLAY ]] ||
    DISPLAY=$XVFB_DISPLAY timeout 20 import -window root "$ARTIFACTS/failure.png" || :
  if declare -F on_failure >/dev/null; then on_failure || :; fi  # a suite's own traces
  exit 1
}

# poll SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds.
poll() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do ((SECONDS < end)) || return 1; sleep 0.05; done
}

# start_xvfb: a server of our own on a free display (-displayfd was seen to
# name one it failed to take); -noreset, or a program starting as the last
# client leaves finds it resetting.
start_xvfb() {
  for _ in 1 2 3 4 5; do
    export DISPLAY=:$((140 + RANDOM % 500))
    [[ -e /tmp/.X11-unix/X${DISPLAY#:} || -e /tmp/.X${DISPLAY#:}-lock ]] && continue
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null &
    PIDS+=($!)
    # Ours answers, not another server that took the number first.
    poll 10 xdotool getmouselocation >/dev/null 2>&1 && kill -0 "${PIDS[-1]}" &&
      XVFB_DISPLAY=$DISPLAY && return
  done
  fail "no X server started"
}

window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
main_window_shown() { MAIN_WIN=$(window_named "$TITLE") && [[ -n $MAIN_WIN ]]; }

# start_program COMMAND...: COMMAND started in $TMP, and its window shown.
start_program() {
  (cd "$TMP" && exec "$@") >"$TMP/program.log" 2>&1 &
  APP_PID=$! && PIDS+=("$APP_PID")
  poll 60 main_window_shown || fail "no window: $(cat "$TMP/program.log")"
}

# own_clipboard FILE: a new xclip owns the clipboard with FILE's bytes.
own_clipboard() {
  if [[ -n $CLIP_PID ]]; then kill "$CLIP_PID" && wait "$CLIP_PID" || :; fi
  xclip -selection clipboard -i -quiet <"$1" >/dev/null 2>&1 &
  CLIP_PID=$! && PIDS+=("$CLIP_PID")
  poll 10 timeout 2 xclip -o -selection clipboard -t TARGETS >/dev/null 2>&1 || fail "xclip"
}
own_text() { printf '%b' "$1" >"$TMP/clip.in" && own_clipboard "$TMP/clip.in"; }

# click BUTTON...: load, add or save.
click() {
  declare -A y=([load]=24 [add]=64 [save]=104)
  for b in "$@"; do poll 5 xdotool mousemove --window "$MAIN_WIN" 56 "${y[$b]}" click --delay 0 1; done
}

# focus WINDOW: without a window manager nothing gives a new window the focus.
focus() { timeout 20 xdotool windowfocus --sync "$1" || fail "could not focus $1"; }
dialog_shown() { DIALOG=$(window_named 'Save As') && [[ -n $DIALOG ]]; }
# A message box carries the program's title, as its window does.
message_box() { xdotool search --onlyvisible --name "^$TITLE\$" 2>/dev/null | grep -vx "$MAIN_WIN" | head -n 1; }
no_message() { [[ -z $(message_box) ]]; }

save_as() { click save && save_dialog "$1"; }
# save_dialog PATH: the save dialog gets the focus, PATH is typed and Return
# pressed until it closes (a completer popup may take the first press).
save_dialog() {
  poll 30 dialog_shown || fail "no save dialog"
  focus "$DIALOG"
  xdotool type --delay 5 -- "$1"
  for _ in 1 2 3; do
    xdotool key Return
    poll 5 eval '! dialog_shown' && return
  done
  fail "the save dialog did not close"
}

# close_message: Return presses the message box's OK.
close_message() {
  poll 30 eval '! no_message' || fail "no message box"
  focus "$(message_box)" && xdotool key Return
  poll 10 no_message || fail "the message box did not close"
}

# expect_file FILE EXPECTED: FILE gets EXPECTED's bytes; no message shows.
expect_file() {
  poll 30 cmp -s "$1" "$2" || fail "$1 differs: $(cmp "$1" "$2" 2>&1)"
  no_message || fail "an unexpected message box"
}
expect_bytes() { printf '%b' "$2" >"$TMP/expected" && expect_file "$1" "$TMP/expected"; }
