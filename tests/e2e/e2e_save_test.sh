#!/usr/bin/env bash
# The program's main road in a real X server: another process owns the
# clipboard, the buttons are clicked where they stand, a path is typed into
# the save dialog, and the saved file's bytes are compared. Also: a cancelled
# dialog writes nothing and touches no file, a clipboard without text
# empties the list, and non-ASCII text is saved as UTF-8 in C.UTF-8.
#
# Usage: e2e_save_test.sh PROGRAM OUTPUT_DIR
source "$(dirname "$0")/lib.sh"
e2e_init save "$1" "$2"
start_xvfb

readonly CAT_DOG='The cat sat. The dog ran.'
readonly CAT_DOG_FILE=' 1. The cat sat.\r\n 2.  The dog ran.\r\n'

# sync_with_program: opens the save dialog and cancels it. Clicks are taken
# in order, so once the dialog shows, every earlier click has been handled.
sync_with_program() {
  click save
  wait_for_dialog
  cancel_dialog
}

# save_and_expect NAME EXPECTED: saves to a new file NAME.txt and compares it
# with EXPECTED (printf %b escapes).
save_and_expect() {
  local file="$E2E_TMP/$1.txt"
  save_as "$file"
  wait_for_file "$file"
  expect_no_message_box
  printf '%b' "$2" >"$E2E_TMP/$1.expected"
  expect_bytes "$file" "$E2E_TMP/$1.expected"
}

# clicks_case NAME CLIPBOARD CLICKS EXPECTED: a fresh program, the clipboard
# owned by xclip, the clicks (load, add) in order, then a save.
clicks_case() {
  local name=$1 clipboard=$2 clicks=$3 expected=$4 button
  log "case $name"
  start_program
  own_clipboard_text "$clipboard"
  for button in $clicks; do click "$button"; done
  save_and_expect "$name" "$expected"
}

clicks_case get_then_save "$CAT_DOG" 'load' "$CAT_DOG_FILE"
clicks_case get_add_more_then_save "$CAT_DOG" 'load add' \
  "$CAT_DOG_FILE"' 3. The cat sat.\r\n 4.  The dog ran.\r\n'
clicks_case get_twice_holds_one_copy "$CAT_DOG" 'load load' "$CAT_DOG_FILE"
clicks_case get_after_add_more_starts_afresh "$CAT_DOG" 'load add load' \
  "$CAT_DOG_FILE"
# "Add More" before any load: were it enabled, the list (not yet started)
# would refuse the sentences, a message would show and the save not open.
clicks_case add_more_at_start_is_disabled "$CAT_DOG" 'add' ''
clicks_case save_before_any_load "$CAT_DOG" '' ''
# An owner offering an empty text: nothing to add, nothing to say.
clicks_case owner_offers_empty_text '' 'load add' ''
clicks_case abbreviations_and_tail \
  'Wing span 10 in. is long. See Fig. 3 and Figs. 4. No. 5 is here. Tail' \
  'load' \
  ' 1. Wing span 10 in. is long.\r\n 2.  See Fig. 3 and Figs. 4.\r\n 3.  No. 5 is here.\r\n'
clicks_case spaces_and_line_breaks 'x  y   z.\r\nSecond.  Third.' 'load' \
  ' 1. x y z.\r\n 2.  Second.\r\n 3.  Third.\r\n'
clicks_case non_ascii_in_utf8 \
  'Ärger über Öl. Здравствуй, мир. 日本語の文。 Ça va.' 'load' \
  ' 1. Ärger über Öl.\r\n 2.  Здравствуй, мир.\r\n 3.  日本語の文。 Ça va.\r\n'

log "case new_clipboard_replaces_the_list"
start_program
own_clipboard_text "$CAT_DOG"
click load
sync_with_program
own_clipboard_text 'Hello. World.'
click load
click add
save_and_expect new_clipboard_replaces_the_list \
  ' 1. Hello.\r\n 2.  World.\r\n 3. Hello.\r\n 4.  World.\r\n'

log "case clipboard_without_text_empties_the_list"
start_program
own_clipboard_text "$CAT_DOG"
click load
sync_with_program
release_clipboard
click load
save_and_expect clipboard_without_text_empties_the_list ''

log "case cancel_writes_nothing"
start_program
own_clipboard_text "$CAT_DOG"
click load
mkdir "$E2E_TMP/cancel"
existing="$E2E_TMP/cancel/existing.txt"
printf 'old contents\n' >"$existing"
cp "$existing" "$E2E_TMP/existing.before"
# Cancel with the existing file's name typed, then with nothing typed.
click save
wait_for_dialog
enter_path "$existing"
cancel_dialog
sync_with_program
expect_no_message_box
expect_bytes "$existing" "$E2E_TMP/existing.before"
[[ $(ls -A "$E2E_TMP/cancel") == existing.txt ]] ||
  fail "a cancelled save wrote a file: $(ls -A "$E2E_TMP/cancel")"
# The list is still held.
save_and_expect after_cancel "$CAT_DOG_FILE"

log "passed"
