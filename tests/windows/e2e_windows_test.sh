#!/usr/bin/env bash
# The Windows program under Wine in a private X server, used as a person
# would: the clipboard comes from xclip, the buttons are clicked where the
# layout puts them, Windows paths are typed into the common save dialog, and
# the saved bytes are compared with literal files in code page 1252.
# Usage: e2e_windows_test.sh PROGRAM   (in the Wine prefix ctest names)
# shellcheck source-path=SCRIPTDIR
# shellcheck source=../e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
# shellcheck source=wine_lib.sh
source "$(dirname "$0")/wine_lib.sh"
start_xvfb
restart_wine
start_exe "$(realpath "$1")"

# Enter presses the focused button, "Get Clipboard Data" at start; Tab Tab
# reaches "Save" past the now enabled "Add More", and Space presses it.
own_text 'The cat sat.  The  dog   ran.\nCafé € ā ∞ end. Rest'
keys "$MAIN_WIN" Return Tab Tab space
poll 30 dialog_has_focus || fail "no save dialog from the keyboard"
xdotool type --delay 5 "$WIN_DIR\\cp1252"
xdotool key Return
close_message  # "ā" and "∞" were written as "?"
lines=' 1. The cat sat.\r\n 2.  The dog ran.\r\n 3.  Caf\xe9 \x80 ? ? end.\r\n'
expect_bytes "$TMP/cp1252" "$lines"  # no suffix; best fit never used

# Add More continues the numbering; the file is overwritten with no question.
click add
save_as "$WIN_DIR\\cp1252"
close_message
expect_bytes "$TMP/cp1252" \
  "$lines 4. The cat sat.\r\n 5.  The dog ran.\r\n 6.  Caf\xe9 \x80 ? ? end.\r\n"

# A cancelled dialog writes nothing.
save_as "$WIN_DIR\\cancelled" Escape
[[ ! -e $TMP/cancelled ]] || fail "a cancelled save wrote a file"

# A save into a missing folder warns and keeps the list.
own_text 'One. Two.'
click load
save_as "$WIN_DIR\\missing\\kept"
close_message 30
save_as "$WIN_DIR\\kept"
expect_bytes "$TMP/kept" ' 1. One.\r\n 2.  Two.\r\n'

program_ended() { ! kill -0 "$APP_PID" 2>/dev/null; }
keys "$MAIN_WIN" alt+F4
poll 30 program_ended || fail "Alt+F4 did not end the program"
echo "passed"
