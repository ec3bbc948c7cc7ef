#!/usr/bin/env bash
# The program as a person uses it, in a private X server: another program owns
# the clipboard, the buttons are clicked, names are typed into the real save
# dialog, and the saved files' bytes are compared.
# Usage: e2e_test.sh PROGRAM
source "$(dirname "$0")/lib.sh"
program=$(realpath "$1")

start_xvfb
# run LOCALE [COMMAND...]: the program in LOCALE, behind COMMAND if given.
run() {
  start_program env LC_ALL="$1" QT_QPA_PLATFORM=xcb HOME="$TMP" XDG_RUNTIME_DIR="$TMP" \
    "${@:2}" "$program"
}

run C.UTF-8
own_text 'Ärger über Öl. Здравствуй, мир.\r\n日本語。 Ça va.'
click load add
list=' 1. Ärger über Öl.\r\n 2.  Здравствуй, мир.\r\n 3.  日本語。 Ça va.\r\n'
list+=' 4. Ärger über Öl.\r\n 5.  Здравствуй, мир.\r\n 6.  日本語。 Ça va.\r\n'
save_as "$TMP/notes"  # the name is used as typed: no suffix
expect_bytes "$TMP/notes" "$list"

# An existing file is overwritten without a question.
printf 'older and longer contents than the list\n' >"$TMP/old.txt"
save_as "$TMP/old.txt"
expect_bytes "$TMP/old.txt" "$list"

# An owner that stops answering: a warning, and the list is kept.
own_text 'New text. Never read.'
kill -STOP "$CLIP_PID"
click load
close_message 60
save_as "$TMP/kept.txt"
expect_bytes "$TMP/kept.txt" "$list"

# 100 MB through X's incremental transfer, held and saved whole.
{ printf 'First. '; { yes 'The quick brown fox jumps over the lazy dog' || :; } | head -c 100000000 |
  tr '\n' ' '; printf 'Last.'; } >"$TMP/large.in"
{ printf ' 1. First.\r\n 2.  '; tail -c +8 "$TMP/large.in"; printf '\r\n'; } >"$TMP/large.expected"
own_clipboard "$TMP/large.in"
click load
save_as "$TMP/large.txt"
expect_file "$TMP/large.txt" "$TMP/large.expected"
rm "$TMP"/large.*

# A file-size limit fails the save with a warning instead of ending the
# program; the list is still held for the next save.
run C.UTF-8 prlimit --fsize=1024:unlimited --
long=$(printf 'word %.0s' {1..400})
own_text "$long."
click load
save_as "$TMP/limited.txt"
close_message
prlimit --pid "$APP_PID" --fsize=unlimited:unlimited
save_as "$TMP/unlimited.txt"
expect_bytes "$TMP/unlimited.txt" " 1. $long.\r\n"

# The file is written in the locale's character set, "?" where it has none,
# and a warning says so.
run en_US.ISO-8859-1
own_text 'Café €5. Naïve.'
click load
save_as "$TMP/latin1.txt"
close_message
expect_bytes "$TMP/latin1.txt" ' 1. Caf\xe9 ?5.\r\n 2.  Na\xefve.\r\n'
echo "e2e: passed"
