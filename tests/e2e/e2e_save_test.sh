#!/usr/bin/env bash
# The program's main road in a real X server: another process owns the
# clipboard, the buttons are clicked where they stand, paths are typed into
# the save dialog, and the saved files' bytes are compared. Non-ASCII text is
# saved as UTF-8 in C.UTF-8; a new owner's text replaces the list; a
# cancelled dialog writes nothing and keeps the list; a clipboard without
# text empties the list.
#
# Usage: e2e_save_test.sh PROGRAM OUTPUT_DIR
source "$(dirname "$0")/lib.sh"
e2e_init save "$1" "$2"
start_xvfb
start_program

# expect_saved NAME EXPECTED: saves to a new file NAME.txt, which must hold
# EXPECTED (printf %b escapes).
expect_saved() {
  log "case $1"
  printf '%b' "$2" >"$E2E_TMP/$1.expected"
  save_and_expect "$E2E_TMP/$1.txt" "$E2E_TMP/$1.expected"
}

own_clipboard_text 'Ärger über Öl. Здравствуй, мир.\r\n日本語の文。 Ça va.'
click load add
expect_saved get_add_more_non_ascii \
  " 1. Ärger über Öl.\r\n 2.  Здравствуй, мир.\r\n 3.  日本語の文。 Ça va.\r\n 4. Ärger über Öl.\r\n 5.  Здравствуй, мир.\r\n 6.  日本語の文。 Ça va.\r\n"

# Cancelled with an existing file's name typed: that file is left as it was,
# nothing else is written, and the list is still held.
own_clipboard_text 'Hello. World.'
click load
mkdir "$E2E_TMP/cancel"
existing="$E2E_TMP/cancel/existing.txt"
printf 'old contents\n' | tee "$existing" >"$E2E_TMP/existing.before"
click save
wait_for_dialog
enter_path "$existing"
cancel_dialog
expect_no_message_box
expect_bytes "$existing" "$E2E_TMP/existing.before"
expect_saved new_owner_replaces_the_list_after_cancel ' 1. Hello.\r\n 2.  World.\r\n'
[[ $(ls -A "$E2E_TMP/cancel") == existing.txt ]] ||
  fail "a cancelled save wrote a file: $(ls -A "$E2E_TMP/cancel")"

end_pid_in CLIP_PID
click load
expect_saved clipboard_without_text_empties_the_list ''

log "passed"
