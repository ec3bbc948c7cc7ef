#!/usr/bin/env bash
# The Windows program under Wine in a private X server: the dialog keys,
# xclip's text over Wine's X bridge, the real save dialog, code page 1252.
# Usage: e2e_windows_test.sh PROGRAM   (in the Wine prefix ctest names)
# shellcheck source-path=SCRIPTDIR
# shellcheck source=../e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
# shellcheck source=wine_lib.sh
source "$(dirname "$0")/wine_lib.sh"
start_xvfb
restart_wine
start_program wine "$(realpath "$1")"

# Enter presses the focused button, "Get Clipboard Data" at start; Tab Tab
# reaches "Save" past the now enabled "Add More", and Space presses it.
own_text 'The cat sat.  The  dog   ran.\nCafé € ā ∞ end. Rest'
keys "$MAIN_WIN" Return Tab Tab space
save_dialog "$WIN_DIR\\cp1252"
close_message  # "ā" and "∞" were written as "?"
lines=' 1. The cat sat.\r\n 2.  The dog ran.\r\n 3.  Caf\xe9 \x80 ? ? end.\r\n'
expect_bytes "$TMP/cp1252" "$lines"  # no suffix; best fit never used

program_ended() { ! kill -0 "$APP_PID" 2>/dev/null; }
keys "$MAIN_WIN" alt+F4
poll 30 program_ended || fail "Alt+F4 did not end the program"
echo "passed"
