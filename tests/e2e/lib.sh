# shellcheck shell=bash disable=SC2034  # (variables set through end_pid_in)
# Shared functions of the end-to-end tests: a private X server (Xvfb), the
# program under test, a clipboard owned by another process (xclip), clicks on
# the window's buttons, the save dialog and the message box, all driven from
# outside with xdotool. Every wait polls with a bound (E2E_WAIT seconds); a
# failure saves the screen under the artifacts folder and exits with 1.
# Sourced by the test scripts, which call e2e_init first.
#
# Without a window manager every window opens at the screen's top-left corner
# or centred on its parent, a dialog covers the main window and, when a
# dialog closes, the focus goes to the root window.

set -eEuo pipefail

readonly E2E_TITLE='Vantrel Article Converter'
E2E_WAIT=${E2E_WAIT:-30}
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
DIALOG_WIN=''
MESSAGE_WIN=''
# The program's scale (QT_SCALE_FACTOR); clicks are placed in device pixels.
APP_SCALE=1

# e2e_init NAME PROGRAM OUTPUT_DIR: checks the tools, makes a private temp
# folder and arranges the clean-up at exit.
e2e_init() {
  E2E_NAME=$1
  E2E_PROGRAM=$(realpath "$2")
  E2E_ARTIFACTS=$3/artifacts
  mkdir -p "$E2E_ARTIFACTS"
  local tool
  for tool in Xvfb xdotool xclip import "$E2E_PROGRAM"; do
    command -v "$tool" >/dev/null || {
      echo "missing tool: $tool" >&2
      exit 1
    }
  done
  E2E_TMP=$(realpath "$(mktemp -d "${TMPDIR:-/tmp}/vantrel-e2e.XXXXXX")")
  mkdir -m 700 "$E2E_TMP/runtime" "$E2E_TMP/home"
  trap e2e_cleanup EXIT
  trap 'fail "command failed (status $?, line $LINENO): $BASH_COMMAND"' ERR
}

e2e_cleanup() {
  local status=$?
  stop_program
  end_pid_in CLIP_PID
  end_pid_in XVFB_PID
  if [[ -n $E2E_TMP ]]; then rm -rf "$E2E_TMP"; fi
  return "$status"
}

log() { printf '[%s] %s\n' "$E2E_NAME" "$*" >&2; }

# fail MESSAGE...: saves the screen and shows the servers' and the program's
# output, then exits.
fail() {
  trap - ERR
  log "FAIL: $*"
  local shot
  shot="$E2E_ARTIFACTS/$E2E_NAME-failure-$(date +%H%M%S).png"
  if [[ -n ${DISPLAY:-} ]] && timeout 20 import -window root "$shot" 2>/dev/null; then
    log "screen saved as $shot"
  fi
  local output
  for output in "$E2E_TMP/xvfb.log" "$APP_LOG"; do
    if [[ -s $output ]]; then
      log "output in $output:"
      sed 's/^/    /' "$output" >&2
    fi
  done
  exit 1
}

# poll SECONDS COMMAND...: runs COMMAND every E2E_POLL_INTERVAL until it
# succeeds (0) or SECONDS have passed (1).
poll() {
  local limit=$1
  shift
  local deadline=$(($(now_us) + limit * 1000000))
  until "$@"; do
    (($(now_us) < deadline)) || return 1
    sleep "$E2E_POLL_INTERVAL"
  done
}

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

# end_pid_in VARIABLE: ends the process whose id VARIABLE holds, if any, and
# empties VARIABLE.
end_pid_in() {
  if [[ -n ${!1} ]]; then end_process "${!1}"; fi
  printf -v "$1" ''
}

# --- X server and program -------------------------------------------------

# start_xvfb [WIDTHxHEIGHT]: a private X server on a display number it picks
# itself, so that parallel runs never share one. -noreset: by default the
# server resets whenever its last client leaves (each xdotool call), and on a
# busy machine a program starting during the reset cannot connect.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "${1:-1920x1200}x24" -nolisten tcp -noreset \
    3>"$E2E_TMP/display" 2>"$E2E_TMP/xvfb.log" &
  XVFB_PID=$!
  poll "$E2E_WAIT" grep -qx '[0-9][0-9]*' "$E2E_TMP/display" ||
    fail "Xvfb did not start"
  DISPLAY=":$(<"$E2E_TMP/display")"
  export DISPLAY
  poll "$E2E_WAIT" xdotool getmouselocation >/dev/null 2>&1 ||
    fail "Xvfb on $DISPLAY does not answer"
}

main_window_shown() {
  MAIN_WIN=$(xdotool search --onlyvisible --name "^$E2E_TITLE\$" 2>/dev/null |
    head -n 1) && [[ -n $MAIN_WIN ]]
}

program_running() { [[ -n $APP_PID ]] && ! process_ended "$APP_PID"; }

window_shown_or_program_ended() { main_window_shown || ! program_running; }

# start_program [NAME=VALUE...] [COMMAND...]: starts the program in the temp
# folder in the C.UTF-8 locale (or as the assignments say), behind COMMAND if
# given (e.g. prlimit ... --), and waits for its window.
start_program() {
  stop_program
  APP_LOG="$E2E_TMP/program.log"
  (
    cd "$E2E_TMP"
    exec env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS \
      -u QT_AUTO_SCREEN_SCALE_FACTOR -u QT_ENABLE_HIGHDPI_SCALING \
      QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 HOME="$E2E_TMP/home" \
      XDG_RUNTIME_DIR="$E2E_TMP/runtime" XDG_CONFIG_HOME="$E2E_TMP/home" \
      "$@" "$E2E_PROGRAM"
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

stop_program() {
  end_pid_in APP_PID
  MAIN_WIN=''
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
# bytes as UTF-8 text, until it is ended (end_pid_in CLIP_PID).
own_clipboard() {
  end_pid_in CLIP_PID
  xclip -selection clipboard -i -quiet <"$1" >/dev/null 2>&1 &
  CLIP_PID=$!
  poll "$E2E_WAIT" xclip_owns || fail "xclip did not take the clipboard"
}

# own_clipboard_text TEXT: as own_clipboard, with printf's %b escapes.
own_clipboard_text() {
  printf '%b' "$1" >"$E2E_TMP/clipboard.in"
  own_clipboard "$E2E_TMP/clipboard.in"
}

# --- Save dialog and message box ------------------------------------------

dialog_has_focus() {
  DIALOG_WIN=$(xdotool search --onlyvisible --name '^Save As' 2>/dev/null |
    head -n 1) && [[ -n $DIALOG_WIN ]] &&
    [[ $(xdotool getwindowfocus 2>/dev/null) == "$DIALOG_WIN" ]]
}

dialog_gone() { ! xdotool search --onlyvisible --name '^Save As' >/dev/null 2>&1; }

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

dialog_or_message_shown() { dialog_has_focus || message_box_shown; }

expect_no_message_box() {
  if message_box_shown; then fail "an unexpected message box is shown"; fi
}

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

cancel_dialog() { press_in_dialog Escape; }

# close_message_box: waits for the message box and presses Return (its only
# button, OK, is the default).
close_message_box() {
  poll "$E2E_WAIT" message_box_shown || fail "no message box appeared"
  local _
  for _ in 1 2 3; do
    timeout 10 xdotool windowfocus --sync "$MESSAGE_WIN" key Return \
      2>/dev/null || true
    poll 5 message_box_gone && return 0
  done
  fail "the message box did not close"
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

# type_path PATH: enters PATH into the open dialog and confirms it.
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

# --- Files ----------------------------------------------------------------

# True once PATH exists and the program no longer holds it open.
file_written() {
  [[ -e $1 ]] || return 1
  local fd
  for fd in /proc/"$APP_PID"/fd/*; do
    [[ $(readlink "$fd" 2>/dev/null) != "$1" ]] || return 1
  done
}

# expect_file PATH EXPECTED_FILE [SECONDS]: waits until the program has
# written PATH (new) and closed it, with no message shown; PATH holds the
# bytes of EXPECTED_FILE.
expect_file() {
  poll "${3:-$E2E_WAIT}" file_written "$1" || fail "$1 was not written"
  expect_no_message_box
  expect_bytes "$1" "$2"
}

# expect_bytes FILE EXPECTED_FILE: the two files hold the same bytes.
expect_bytes() {
  if ! cmp "$1" "$2" >&2; then
    cp "$1" "$E2E_ARTIFACTS/$E2E_NAME-actual.bin" 2>/dev/null || true
    cp "$2" "$E2E_ARTIFACTS/$E2E_NAME-expected.bin"
    fail "$1 differs from what was expected (both kept under $E2E_ARTIFACTS)"
  fi
}

# save_and_expect PATH EXPECTED_FILE [SECONDS]: saves to PATH (new) and
# compares it with EXPECTED_FILE.
save_and_expect() {
  save_as "$1" "${3:-$E2E_WAIT}"
  expect_file "$@"
}
