# shellcheck shell=bash
# The end-to-end tests' tools: a private X server (xdotool, xclip) or headless
# sway (wtype, wl-copy), driven alike. Waits are bounded; a failure exits 1.
set -eEuo pipefail
TITLE='Vantrel Article Converter'
TMP=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-e2e.XXXXXX")
ARTIFACTS=${ARTIFACTS:-$TMP}
PIDS=() APP_PID='' CLIP_PID='' MAIN_WIN='' DIALOG='' XVFB_DISPLAY='' SWAY='' AS_USER=()
trap 'trap - ERR; set +e; kill "${PIDS[@]}" 2>/dev/null; wait; rm -rf "$TMP"' EXIT
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

fail() {
  trap - ERR
  echo "FAIL: $*" >&2
  # A picture of our own server only, never of the caller's display.
  mkdir -p "$ARTIFACTS"
  if [[ -n $SWAY ]]; then as_user grim - >"$ARTIFACTS/failure.png"
  elif [[ -n $XVFB_DISPLAY ]]; then
    DISPLAY=$XVFB_DISPLAY timeout 20 import -window root "$ARTIFACTS/failure.png"
  fi || :
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
# name one it failed to take); -noreset, or a late client finds it resetting.
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

# start_sway: headless, without X. It refuses root: as root, the session and
# the program are nobody's (as_user), in $TMP.
start_sway() {
  unset DISPLAY WAYLAND_DISPLAY
  export HOME=$TMP XDG_RUNTIME_DIR=$TMP/run
  mkdir -m 700 "$XDG_RUNTIME_DIR" && chmod 755 "$TMP"
  if ((EUID == 0)); then
    chown nobody:nogroup "$TMP" "$XDG_RUNTIME_DIR"
    AS_USER=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x800\n' >"$TMP/sway.conf"
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    "${AS_USER[@]}" sway -c "$TMP/sway.conf" >"$TMP/sway.log" 2>&1 &
  PIDS+=($!)
  poll 30 sway_answers || { mkdir -p "$ARTIFACTS" && cp "$TMP/sway.log" "$ARTIFACTS/"
    fail "sway did not start (in a chroot it needs /dev/shm): $ARTIFACTS/sway.log"; }
  # Each wtype call adds a keyboard and loses its first key unless one stays.
  "${AS_USER[@]}" wtype -s 100000000 >/dev/null 2>&1 &
  PIDS+=($!)
}
sway_answers() {
  WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && compgen -G 'wayland-[0-9]' | head -n 1) &&
    SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*") && export WAYLAND_DISPLAY SWAYSOCK &&
    as_user swaymsg -t get_version >/dev/null 2>&1 && SWAY=$SWAYSOCK
}
as_user() { "${AS_USER[@]}" "$@"; }

# windows_named TITLE: their ids (on Wayland a dialog's title ends " — TITLE").
windows_named() {
  if [[ -n $SWAY ]]; then
    as_user swaymsg -t get_tree | jq -r --arg t "$1" \
      '.. | objects | select(.name == $t or (.name // "" | startswith($t + " — "))) | .id'
  else xdotool search --onlyvisible --name "^$1\$" 2>/dev/null; fi
}
window_named() { windows_named "$1" | head -n 1; }
main_window_shown() { MAIN_WIN=$(window_named "$TITLE") && [[ -n $MAIN_WIN ]]; }

# start_program COMMAND...: COMMAND started in $TMP, and its window shown.
start_program() {
  (cd "$TMP" && exec "$@") >"$TMP/program.log" 2>&1 &
  APP_PID=$! && PIDS+=("$APP_PID")
  poll 60 main_window_shown || fail "no window: $(cat "$TMP/program.log")"
}

# own_clipboard FILE: a new owner (xclip, wl-copy) holds FILE's bytes.
own_clipboard() {
  if [[ -n $CLIP_PID ]]; then kill "$CLIP_PID" && wait "$CLIP_PID" || :; fi
  # A session of its own: a stopped owner in a process group with no parent
  # outside it (as under some CI runners) gets SIGHUP when any member exits.
  if [[ -n $SWAY ]]; then
    setsid "${AS_USER[@]}" wl-copy --foreground <"$1" >/dev/null 2>&1 &
  else xclip -selection clipboard -i -quiet <"$1" >/dev/null 2>&1 & fi
  CLIP_PID=$! && PIDS+=("$CLIP_PID")
  poll 10 clipboard_owned || fail "no owner took the clipboard"
}
clipboard_owned() {
  if [[ -n $SWAY ]]; then as_user wl-paste --list-types | grep -qx text/plain
  else timeout 2 xclip -o -selection clipboard -t TARGETS >/dev/null; fi 2>/dev/null
}
own_text() { printf '%b' "$1" >"$TMP/clip.in" && own_clipboard "$TMP/clip.in"; }

click() {
  declare -A y=([load]=24 [add]=64 [save]=104)
  for b in "$@"; do poll 5 xdotool mousemove --window "$MAIN_WIN" 56 "${y[$b]}" click --delay 0 1; done
}

# focus WINDOW: without a window manager nothing gives a new window the focus.
focus() {
  if [[ -n $SWAY ]]; then as_user swaymsg "[con_id=$1] focus" >/dev/null
  else timeout 20 xdotool windowfocus --sync "$1"; fi || fail "could not focus $1"
}
# keys WINDOW KEY...: KEYs (xdotool's names) pressed in WINDOW.
keys() {
  focus "$1"
  if [[ -z $SWAY ]]; then xdotool key --delay 20 "${@:2}" && return; fi
  local key args=()
  for key in "${@:2}"; do args+=(-k "$key"); done
  as_user wtype "${args[@]}"
}
type_text() { if [[ -n $SWAY ]]; then as_user wtype -- "$1"; else xdotool type --delay 5 -- "$1"; fi; }
dialog_shown() { DIALOG=$(window_named 'Save As') && [[ -n $DIALOG ]]; }
# A message box carries the program's title, as its window does.
message_box() { windows_named "$TITLE" | grep -vx "$MAIN_WIN" | head -n 1; }
no_message() { [[ -z $(message_box) ]]; }

# save_dialog PATH: PATH typed, Return pressed until it closes (a completer
# popup may take the first press).
save_dialog() {
  poll 30 dialog_shown || fail "no save dialog"
  focus "$DIALOG" && type_text "$1"
  for _ in 1 2 3; do
    keys "$DIALOG" Return
    poll 5 eval '! dialog_shown' && return
  done
  fail "the save dialog did not close"
}

close_message() {
  poll 30 eval '! no_message' || fail "no message box"
  keys "$(message_box)" Return
  poll 10 no_message || fail "the message box did not close"
}

# expect_file FILE EXPECTED: FILE gets EXPECTED's bytes; no message box.
expect_file() {
  poll 30 cmp -s "$1" "$2" || fail "$1 differs: $(cmp "$1" "$2" 2>&1)"
  no_message || fail "an unexpected message box"
}
expect_bytes() { printf '%b' "$2" >"$TMP/expected" && expect_file "$1" "$TMP/expected"; }
