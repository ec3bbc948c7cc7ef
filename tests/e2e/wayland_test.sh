#!/usr/bin/env bash
# The program as a native Wayland client in a headless sway without X:
# wl-copy's clipboard, keys typed with wtype, the real save dialog; a fresh
# list and Add More, saved in Latin-1. Usage: wayland_test.sh PROGRAM
source "$(dirname "$0")/lib.sh"
unset QT_QPA_PLATFORM XDG_SESSION_TYPE XDG_CURRENT_DESKTOP
start_sway
install -m 755 "$1" "$TMP/program"  # where nobody may run it
start_program "${AS_USER[@]}" env LC_ALL=en_US.ISO-8859-1 "$TMP/program"
own_text 'Ärger über Öl. Здравствуй.'
# Space presses the focused button: Get Clipboard Data, Add More, then Save.
keys "$MAIN_WIN" space Tab space Tab space
save_dialog "$TMP/notes"
close_message  # what Latin-1 lacks was saved as "?"
list=' 1. \xc4rger \xfcber \xd6l.\r\n 2.  ??????????.\r\n 3. \xc4rger \xfcber \xd6l.\r\n 4.  ??????????.\r\n'
expect_bytes "$TMP/notes" "$list"
# An owner that stopped answering: a warning, twice (Qt asks it only once),
# and the list kept.
own_text 'Other.' && kill -STOP "$CLIP_PID"
keys "$MAIN_WIN" Tab space && close_message
keys "$MAIN_WIN" space && close_message
kill -CONT "$CLIP_PID"
keys "$MAIN_WIN" Tab Tab space
save_dialog "$TMP/kept"
close_message
expect_bytes "$TMP/kept" "$list"
echo "wayland: passed"
