#!/usr/bin/env bash
# Awkward clipboard text through the real window, each loaded with "Get
# Clipboard Data" (which starts the list afresh) and saved: NUL characters
# and characters outside the basic plane, CR alone and LF alone, only full
# stops, one sentence of more than 40,000 characters, and more sentences
# than the list holds (the full-list message, 1000 lines saved).
#
# Usage: e2e_bad_input_test.sh PROGRAM OUTPUT_DIR
source "$(dirname "$0")/lib.sh"
e2e_init bad_input "$1" "$2"
start_xvfb
start_program

# run_case NAME [message]: loads NAME.in, closes the message box if one is
# expected, and saves; the file must hold NAME.expected.
run_case() {
  log "case $1"
  own_clipboard "$E2E_TMP/$1.in"
  click load
  if [[ ${2:-} == message ]]; then close_message_box; fi
  save_and_expect "$E2E_TMP/$1.txt" "$E2E_TMP/$1.expected"
}

# literal_case NAME CLIPBOARD EXPECTED: both as printf %b escapes.
literal_case() {
  printf '%b' "$2" >"$E2E_TMP/$1.in"
  printf '%b' "$3" >"$E2E_TMP/$1.expected"
  run_case "$1"
}

literal_case nul_and_outside_basic_plane \
  'A\0B. C\0\0D. \0. \xf0\x9f\x98\x80 Smile. \xf0\x9d\x84\x9e Clef.' \
  ' 1. A\0B.\r\n 2.  C\0\0D.\r\n 3.  \0.\r\n 4.  \xf0\x9f\x98\x80 Smile.\r\n 5.  \xf0\x9d\x84\x9e Clef.\r\n'
literal_case cr_alone_and_lf_alone 'One.\rTwo.\r\rThree.\nFour.\n\nFive.\n' \
  ' 1. One.\r\n 2.  Two.\r\n 3.  Three.\r\n 4.  Four.\r\n 5.  Five.\r\n'
literal_case only_full_stops '.....' ' 1. .\r\n 2. .\r\n 3. .\r\n 4. .\r\n 5. .\r\n'

# A sentence of 45,000 letters and spaces, then a short one.
words=$(printf 'abcdefghi %.0s' {1..4500})
printf '%s. Next.' "$words" >"$E2E_TMP/long_sentence.in"
printf ' 1. %s.\r\n 2.  Next.\r\n' "$words" >"$E2E_TMP/long_sentence.expected"
run_case long_sentence

# 1005 sentences "Sentence i.": the message, and the first 1000 saved.
printf 'Sentence %d. ' {1..1005} >"$E2E_TMP/list_overflows.in"
{
  printf ' 1. Sentence 1.\r\n'
  for ((i = 2; i <= 1000; i++)); do printf ' %d.  Sentence %d.\r\n' "$i" "$i"; done
} >"$E2E_TMP/list_overflows.expected"
run_case list_overflows message

log "passed"
