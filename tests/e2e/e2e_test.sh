#!/usr/bin/env bash
# The program in a private X server, on a desktop whose theme has dialogs of
# its own: xclip's clipboard, the real save dialog, a file-size limit, the
# environment's character set. Usage: e2e_test.sh PROGRAM
source "$(dirname "$0")/lib.sh"

start_xvfb
# The environment's Latin-1, and a file-size limit only the large text passes.
# The display as Qt's -display option names it, with no DISPLAY.
start_program env -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE -u DISPLAY XDG_CURRENT_DESKTOP=GNOME \
  LC_ALL=en_US.ISO-8859-1 HOME="$TMP" XDG_RUNTIME_DIR="$TMP" \
  prlimit --fsize=4096:unlimited -- "$(realpath "$1")" -display "$DISPLAY"
poll 10 eval 'xprop -id "$MAIN_WIN" -notype _NET_WM_ICON | grep -q "Icon ("' || fail "no icon"
own_text 'Ärger über Öl. Здравствуй, мир.\r\n日本語。 Ça va.'
# The program's own dialog: a typed folder opens, its one .txt file untouched.
mkdir "$TMP/dir" && echo kept >"$TMP/dir/only.txt"
click load save
poll 30 dialog_shown || fail "no save dialog of the program's own"
focus "$DIALOG" && type_text "$TMP/dir/" && keys "$DIALOG" Return Return ctrl+a
save_dialog notes  # in that folder; the name is used as typed: no suffix
close_message      # what Latin-1 lacks was saved as "?"
list=' 1. \xc4rger \xfcber \xd6l.\r\n 2.  ??????????, ???.\r\n 3.  ???? \xc7a va.\r\n'
expect_bytes "$TMP/dir/notes" "$list"
[[ $(<"$TMP/dir/only.txt") == kept ]] || fail "a typed folder overwrote its file"
[[ $(stat -c %a "$TMP/dir/notes") == "$(printf %o $((0666 & ~0$(umask))))" ]] || fail "a new file's mode"

# 100 MB through X's incremental transfer. Over the size limit the save fails
# with a warning, not the program's end, and the list is kept.
{ printf 'First. '; { yes 'The quick brown fox jumps over the lazy dog' || :; } | head -c 100000000 |
  tr '\n' ' '; printf 'Last.'; } >"$TMP/large.in"
{ printf ' 1. First.\r\n 2.  '; tail -c +8 "$TMP/large.in"; printf '\r\n'; } >"$TMP/large.expected"
own_clipboard "$TMP/large.in"
click load save
save_dialog "$TMP/large.txt"
close_message
prlimit --pid "$APP_PID" --fsize=unlimited:unlimited
click save && save_dialog "$TMP/large.txt"
expect_file "$TMP/large.txt" "$TMP/large.expected"

echo "e2e: passed"
