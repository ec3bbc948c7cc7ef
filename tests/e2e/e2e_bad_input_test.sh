#!/usr/bin/env bash
# Awkward clipboard text through the real window: NUL characters, characters
# outside the basic plane, bytes that are not UTF-8 (what a lone surrogate
# becomes on an X clipboard, which carries UTF-8: each bad byte arrives as
# U+FFFD), only full stops, CR alone and LF alone, one sentence of more than
# 40,000 characters, and more sentences than the list holds (the full-list
# message, 1000 lines saved). Lone surrogates themselves cannot cross X;
# clipboard_input_test covers them in process.
#
# Usage: e2e_bad_input_test.sh PROGRAM OUTPUT_DIR
source "$(dirname "$0")/lib.sh"
e2e_init bad_input "$1" "$2"
start_xvfb

readonly REPLACEMENT='\xef\xbf\xbd'  # U+FFFD in UTF-8

# Generated inputs: each function writes the clipboard text to $1 and the
# file it must save as to $2.

# Sentence i is "Sentence i." after a space; N_SENTENCES of them.
many_sentences() {
  local i
  for ((i = 1; i <= N_SENTENCES; i++)); do printf 'Sentence %d. ' "$i"; done >"$1"
  {
    printf ' 1. Sentence 1.\r\n'
    for ((i = 2; i <= 1000 && i <= N_SENTENCES; i++)); do
      printf ' %d.  Sentence %d.\r\n' "$i" "$i"
    done
  } >"$2"
}

# A sentence of 45,000 letters and spaces, then a short one.
long_sentence() {
  local words
  words=$(printf 'abcdefghi %.0s' {1..4500})
  printf '%s. Next.' "$words" >"$1"
  printf ' 1. %s.\r\n 2.  Next.\r\n' "$words" >"$2"
}

only_full_stops() {
  printf '.....' >"$1"
  printf ' %d. .\r\n' 1 2 3 4 5 >"$2"
}

# run_case NAME MESSAGE CLICKS: a fresh program, the clipboard from
# NAME.in, the clicks; after each, the message box when MESSAGE is
# "message" (closed with Return); then a save compared with NAME.expected.
run_case() {
  local name=$1 message=$2 clicks=$3 button
  log "case $name"
  start_program
  own_clipboard "$E2E_TMP/$name.in"
  for button in $clicks; do
    click "$button"
    if [[ $message == message ]]; then
      wait_for_message_box
      close_message_box
    fi
  done
  local file="$E2E_TMP/$name.txt"
  save_as "$file"
  wait_for_file "$file"
  expect_no_message_box
  expect_bytes "$file" "$E2E_TMP/$name.expected"
}

# literal_case NAME CLIPBOARD EXPECTED: both as printf %b escapes.
literal_case() {
  printf '%b' "$2" >"$E2E_TMP/$1.in"
  printf '%b' "$3" >"$E2E_TMP/$1.expected"
  run_case "$1" none load
}

# generated_case NAME GENERATOR MESSAGE [CLICKS]
generated_case() {
  "$2" "$E2E_TMP/$1.in" "$E2E_TMP/$1.expected"
  run_case "$1" "$3" "${4:-load}"
}

#            name                 clipboard                 saved file
literal_case nul_characters 'A\0B. C\0\0D. \0.' \
  ' 1. A\0B.\r\n 2.  C\0\0D.\r\n 3.  \0.\r\n'
literal_case outside_basic_plane '\xf0\x9f\x98\x80 Smile. \xf0\x9d\x84\x9e Clef.' \
  ' 1. \xf0\x9f\x98\x80 Smile.\r\n 2.  \xf0\x9d\x84\x9e Clef.\r\n'
literal_case surrogate_bytes_not_utf8 'High \xed\xa0\x80. Low \xed\xb0\x80. Bad \xff.' \
  " 1. High $REPLACEMENT$REPLACEMENT$REPLACEMENT.\r\n 2.  Low $REPLACEMENT$REPLACEMENT$REPLACEMENT.\r\n 3.  Bad $REPLACEMENT.\r\n"
literal_case cr_alone 'One.\rTwo.\r\rThree.\r' \
  ' 1. One.\r\n 2.  Two.\r\n 3.  Three.\r\n'
literal_case lf_alone 'One.\nTwo.\n\nThree.\n' \
  ' 1. One.\r\n 2.  Two.\r\n 3.  Three.\r\n'
literal_case no_full_stop 'No period here\r\n' ''

#              name                  generator        message  clicks
generated_case only_full_stops       only_full_stops  none
generated_case long_sentence         long_sentence    none
N_SENTENCES=1000
generated_case exactly_full          many_sentences   none
N_SENTENCES=1005
generated_case list_overflows        many_sentences   message
generated_case add_more_to_full_list many_sentences   message 'load add'

log "passed"
