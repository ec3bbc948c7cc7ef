#!/usr/bin/env bash
# The Windows program under Wine in a private X server, used as a person
# would: the clipboard comes from xclip, the buttons are clicked where the
# layout puts them, Windows paths are typed into the common save dialog, and
# the saved bytes are compared with literal files in code page 1252.
# Usage: e2e_windows_test.sh PROGRAM OUTPUT_DIR (in the Wine prefix ctest sets)
# shellcheck source-path=SCRIPTDIR
# shellcheck source=../e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
# shellcheck source=wine_lib.sh
source "$(dirname "$0")/wine_lib.sh"
e2e_init windows "$1" "$2"
start_xvfb 1280x1024
restart_wine

# expect NAME BYTES: NAME holds BYTES (printf %b), and no warning shows.
expect() {
  printf '%b' "$2" >"$E2E_TMP/expected"
  poll 10 cmp -s "$E2E_TMP/$1" "$E2E_TMP/expected" ||
    expect_bytes "$E2E_TMP/$1" "$E2E_TMP/expected"
  expect_no_message_box
}

start_program "$E2E_PROGRAM"
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
