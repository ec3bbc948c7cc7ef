# Shared functions of the end-to-end tests: a private X server (Xvfb), the
# program under test, a clipboard owned by another process (xclip), clicks on
# the window's buttons, the save dialog and the message box, all driven from
# outside with xdotool. Every wait polls with a bound (E2E_WAIT seconds);
# on a failure the screen is saved under the artifacts folder and the test
# exits with 1. Sourced by the test scripts, which call e2e_init first.
#
# Windows: without a window manager every window opens at the screen's
# top-left corner or centred on its parent, a dialog covers the main window
# and, when a dialog closes, the focus goes to the root window.

set -eEuo pipefail

readonly E2E_TITLE='Vantrel Article Converter'
# How long to wait for anything the program should do soon (seconds).
E2E_WAIT=${E2E_WAIT:-30}
# Seconds between two looks while polling.
E2E_POLL_INTERVAL=${E2E_POLL_INTERVAL:-0.05}

E2E_TMP=''
E2E_ARTIFACTS=''
E2E_PROGRAM=''
E2E_NAME=''
XVFB_PID=''
APP_PID=''
APP_LOG=''
MAIN_WIN=''
CLIP_PID=''
# The program's scale (QT_SCALE_FACTOR); clicks are placed in device pixels.
APP_SCALE=1
# Commands put before the program, e.g. (prlimit --fsize=1024 --).
APP_WRAPPER=()

# e2e_init NAME PROGRAM OUTPUT_DIR: checks the tools, makes a private temp
# folder and arranges the clean-up at exit. Screens of failures are saved
# under OUTPUT_DIR/artifacts.
e2e_init() {
  E2E_NAME=$1
  E2E_PROGRAM=$(realpath "$2")
  E2E_ARTIFACTS=$3/artifacts
  mkdir -p "$E2E_ARTIFACTS"
  local tool
  for tool in Xvfb xdotool xclip import; do
    command -v "$tool" >/dev/null || {
      echo "missing tool: $tool" >&2
      exit 1
    }
  done
  [[ -x $E2E_PROGRAM ]] || {
    echo "not a program: $E2E_PROGRAM" >&2
    exit 1
  }
  E2E_TMP=$(realpath "$(mktemp -d "${TMPDIR:-/tmp}/vantrel-e2e.XXXXXX")")
  mkdir -m 700 "$E2E_TMP/runtime" "$E2E_TMP/home"
  trap e2e_cleanup EXIT
  trap 'fail "command failed (status $?, line $LINENO): $BASH_COMMAND"' ERR
}

e2e_cleanup() {
  local status=$?
  stop_program
  release_clipboard
  stop_xvfb
  if [[ -n $E2E_TMP ]]; then rm -rf "$E2E_TMP"; fi
  return "$status"
}

log() { printf '[%s] %s\n' "$E2E_NAME" "$*" >&2; }

# fail MESSAGE...: saves the screen and the program's output, then exits.
fail() {
  trap - ERR
  log "FAIL: $*"
  if [[ -n ${DISPLAY:-} ]]; then
    local shot
    shot="$E2E_ARTIFACTS/$E2E_NAME-failure-$(date +%H%M%S).png"
    if timeout 20 import -window root "$shot" 2>/dev/null; then
      log "screen saved as $shot"
    fi
    log "visible windows:"
    list_windows >&2 || true
  fi
  if [[ -n $XVFB_PID ]] && ! kill -0 "$XVFB_PID" 2>/dev/null; then
    log "Xvfb has ended"
  fi
  if [[ -s $E2E_TMP/xvfb.log ]]; then
    log "Xvfb's output:"
    sed 's/^/    /' "$E2E_TMP/xvfb.log" >&2
  fi
  if [[ -n $E2E_TMP ]]; then
    log "files in $E2E_TMP:"
    ls -A "$E2E_TMP" | sed 's/^/    /' >&2
  fi
  if [[ -n $APP_LOG && -s $APP_LOG ]]; then
    log "program output:"
    sed 's/^/    /' "$APP_LOG" >&2
  fi
  exit 1
}

# poll SECONDS COMMAND...: runs COMMAND every E2E_POLL_INTERVAL until it
# succeeds (0) or SECONDS have passed (1).
poll() {
  local limit=$1
  shift
  local deadline=$((${EPOCHREALTIME/./} + limit * 1000000))
  until "$@"; do
    ((${EPOCHREALTIME/./} < deadline)) || return 1
    sleep "$E2E_POLL_INTERVAL"
  done
}

# Microseconds since the epoch.
now_us() { echo "${EPOCHREALTIME/./}"; }

# True once process PID has ended (a zombie counts as ended).
process_ended() {
  local stat
  read -r stat 2>/dev/null <"/proc/$1/stat" || return 0
  stat=${stat##*) }
  [[ ${stat%% *} == Z ]]
}

# end_process PID: asks a child process to end, forces it after 10 s, and
# reaps it.
end_process() {
  kill -CONT "$1" 2>/dev/null || true
  kill "$1" 2>/dev/null || true
  poll 10 process_ended "$1" || kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

list_windows() {
  local win
  for win in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    printf '    %s "%s"\n' "$win" "$(xdotool getwindowname "$win" 2>/dev/null)"
  done
}

# --- X server -------------------------------------------------------------

display_written() { [[ $(cat "$E2E_TMP/display" 2>/dev/null) =~ ^[0-9]+$ ]]; }

# start_xvfb [WIDTHxHEIGHT]: a private X server on a display number it picks
# itself, so that parallel runs never share one. -noreset: by default the
# server resets whenever its last client leaves (each xdotool call, each
# program stop), and on a busy machine a program starting during the reset
# cannot connect.
start_xvfb() {
  local size=${1:-1920x1200}
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset \
    3>"$E2E_TMP/display" 2>"$E2E_TMP/xvfb.log" &
  XVFB_PID=$!
  if ! poll "$E2E_WAIT" display_written; then
    cat "$E2E_TMP/xvfb.log" >&2
    fail "Xvfb did not start"
  fi
  DISPLAY=":$(cat "$E2E_TMP/display")"
  export DISPLAY
  poll "$E2E_WAIT" x_server_answers || fail "Xvfb on $DISPLAY does not answer"
  log "Xvfb on $DISPLAY"
}

x_server_answers() { xdotool getmouselocation >/dev/null 2>&1; }

stop_xvfb() {
  if [[ -n $XVFB_PID ]]; then
    end_process "$XVFB_PID"
    XVFB_PID=''
  fi
}

# --- The program ----------------------------------------------------------

main_window_shown() {
  MAIN_WIN=$(xdotool search --onlyvisible --name "^$E2E_TITLE\$" 2>/dev/null |
    head -n 1) && [[ -n $MAIN_WIN ]]
}

# start_program [NAME=VALUE...]: starts the program in the temp folder in the
# C.UTF-8 locale (or as the assignments say) and waits for its window.
start_program() {
  stop_program
  APP_LOG="$E2E_TMP/program.log"
  (
    cd "$E2E_TMP"
    exec env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS \
      -u QT_AUTO_SCREEN_SCALE_FACTOR -u QT_ENABLE_HIGHDPI_SCALING \
      QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 HOME="$E2E_TMP/home" \
      XDG_RUNTIME_DIR="$E2E_TMP/runtime" XDG_CONFIG_HOME="$E2E_TMP/home" \
      "$@" "${APP_WRAPPER[@]}" "$E2E_PROGRAM"
  ) >"$APP_LOG" 2>&1 &
  APP_PID=$!
  APP_SCALE=1
  local assignment
  for assignment in "$@"; do
    [[ $assignment == QT_SCALE_FACTOR=* ]] && APP_SCALE=${assignment#*=}
  done
  poll "$E2E_WAIT" window_shown_or_program_ended || true
  program_running || fail "the program ended at start"
  main_window_shown || fail "the program's window did not appear"
}

window_shown_or_program_ended() { main_window_shown || ! program_running; }

program_running() { [[ -n $APP_PID ]] && ! process_ended "$APP_PID"; }

stop_program() {
  if [[ -n $APP_PID ]]; then
    end_process "$APP_PID"
    APP_PID=''
    MAIN_WIN=''
  fi
}

# click BUTTON...: clicks the centres of "load" ("Get Clipboard Data"), "add"
# ("Add More") or "save" ("Save") in order, all in one go: the program
# takes them one at a time.
click() {
  local button y args=()
  program_running || fail "the program is not running"
  for button in "$@"; do
    case $button in
      load) y=24 ;;
      add) y=64 ;;
      save) y=104 ;;
      *) fail "no button $button" ;;
    esac
    # Without --delay 0, xdotool sleeps 100 ms after each click.
    args+=(mousemove --window "$MAIN_WIN" $((56 * APP_SCALE))
      $((y * APP_SCALE)) click --delay 0 1)
  done
  xdotool "${args[@]}"
}

# --- Clipboard --------------------------------------------------------------

xclip_owns() {
  [[ $(xclip -o -selection clipboard -t TARGETS 2>/dev/null) == $'TARGETS\nUTF8_STRING' ]]
}

# own_clipboard FILE: another process (xclip) owns the clipboard with FILE's
# bytes as UTF-8 text, until release_clipboard.
own_clipboard() {
  release_clipboard
  xclip -selection clipboard -i -quiet <"$1" >/dev/null 2>"$E2E_TMP/xclip.log" &
  CLIP_PID=$!
  poll "$E2E_WAIT" xclip_owns || fail "xclip did not take the clipboard"
}

# own_clipboard_text TEXT: as own_clipboard, with printf's %b escapes.
own_clipboard_text() {
  printf '%b' "$1" >"$E2E_TMP/clipboard.in"
  own_clipboard "$E2E_TMP/clipboard.in"
}

release_clipboard() {
  if [[ -n $CLIP_PID ]]; then
    end_process "$CLIP_PID"
    CLIP_PID=''
  fi
}

# --- Save dialog ----------------------------------------------------------

DIALOG_WIN=''

dialog_has_focus() {
  DIALOG_WIN=$(xdotool search --onlyvisible --name '^Save As' 2>/dev/null |
    head -n 1) && [[ -n $DIALOG_WIN ]] &&
    [[ $(xdotool getwindowfocus 2>/dev/null) == "$DIALOG_WIN" ]]
}

dialog_gone() { ! xdotool search --onlyvisible --name '^Save As' >/dev/null 2>&1; }

# wait_for_dialog [SECONDS]: waits until the save dialog is shown and holds
# the keyboard focus (its file-name field has it when it opens).
wait_for_dialog() {
  poll "${1:-$E2E_WAIT}" dialog_has_focus || fail "the save dialog did not open"
}

# press_in_dialog KEY: presses KEY until the dialog closes; a completer popup
# over the file-name field may take the first press.
press_in_dialog() {
  local _
  for _ in 1 2 3; do
    xdotool key "$1"
    poll 5 dialog_gone && return 0
    dialog_has_focus || break
  done
  poll "$E2E_WAIT" dialog_gone || fail "the save dialog did not close on $1"
}

# enter_path PATH: puts PATH into the open dialog's file-name field. ASCII is
# typed. Other characters are pasted from the clipboard (which then holds
# PATH): xdotool types them by remapping a spare key for a moment, and a
# program that reads the keyboard map late sees the key unmapped or in lower
# case.
enter_path() {
  if LC_ALL=C grep -q '[^ -~]' <<<"$1"; then
    printf '%s' "$1" >"$E2E_TMP/path.in"
    own_clipboard "$E2E_TMP/path.in"
    xdotool key ctrl+v
  else
    xdotool type --delay 8 -- "$1"
  fi
}

# type_path PATH: enters PATH into the open dialog's file-name field and
# confirms it.
type_path() {
  enter_path "$1"
  press_in_dialog Return
}

# save_as PATH [SECONDS]: clicks "Save", waits for the dialog and saves.
save_as() {
  click save
  wait_for_dialog "${2:-$E2E_WAIT}"
  type_path "$1"
}

cancel_dialog() { press_in_dialog Escape; }

# --- Files ----------------------------------------------------------------

# True while the program holds PATH open.
is_open_by_program() {
  local fd
  for fd in /proc/"$APP_PID"/fd/*; do
    [[ $(readlink "$fd" 2>/dev/null) == "$1" ]] && return 0
  done
  return 1
}

file_written() { [[ -e $1 ]] && ! is_open_by_program "$1"; }

# wait_for_file PATH [SECONDS]: waits until the program has created PATH and
# closed it again. PATH must not exist before the save.
wait_for_file() {
  poll "${2:-$E2E_WAIT}" file_written "$1" || fail "$1 was not written"
}

# expect_bytes FILE EXPECTED_FILE: the two files hold the same bytes.
expect_bytes() {
  if ! cmp "$1" "$2" >&2; then
    cp "$1" "$E2E_ARTIFACTS/$E2E_NAME-actual.bin" 2>/dev/null || true
    cp "$2" "$E2E_ARTIFACTS/$E2E_NAME-expected.bin"
    log "actual (first 256 bytes):"
    head -c 256 "$1" | od -c | head -n 12 >&2
    log "expected (first 256 bytes):"
    head -c 256 "$2" | od -c | head -n 12 >&2
    fail "$1 differs from what was expected"
  fi
}

# --- Message box ----------------------------------------------------------

MESSAGE_WIN=''

# The program's message boxes carry the program's title, like its window.
message_box_shown() {
  local win
  for win in $(xdotool search --onlyvisible --name "^$E2E_TITLE\$" 2>/dev/null); do
    if [[ $win != "$MAIN_WIN" ]]; then
      MESSAGE_WIN=$win
      return 0
    fi
  done
  return 1
}

message_box_gone() { ! message_box_shown; }

wait_for_message_box() {
  poll "${1:-$E2E_WAIT}" message_box_shown || fail "no message box appeared"
}

expect_no_message_box() {
  if message_box_shown; then fail "an unexpected message box is shown"; fi
}

# close_message_box: presses Return (its only button, OK, is the default).
close_message_box() {
  local _
  for _ in 1 2 3; do
    timeout 10 xdotool windowfocus --sync "$MESSAGE_WIN" key Return \
      2>/dev/null || true
    poll 5 message_box_gone && return 0
  done
  fail "the message box did not close"
}

# screenshot_window NAME: saves the program's main window as NAME.png.
screenshot_window() {
  timeout 60 import -window "$MAIN_WIN" "$1"
}
