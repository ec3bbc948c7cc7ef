#!/usr/bin/env bash
# A 100 MB clipboard owned by another process (xclip) reaches the program by
# X11's incremental transfer (INCR). The load must end with the whole text
# held: two sentences, the second about 100 MB long, saved byte for byte.
#
# Usage: e2e_large_clipboard_test.sh PROGRAM OUTPUT_DIR
source "$(dirname "$0")/lib.sh"
e2e_init large_clipboard "$1" "$2"
start_xvfb

# 100 MiB of words without a full stop, single spaces only.
body="$E2E_TMP/body"
{ yes 'The quick brown fox jumps over the lazy dog near the river bank' || true; } |
  head -c $((100 * 1024 * 1024)) | tr '\n' ' ' >"$body"
{ printf 'First. '; cat "$body"; printf 'Last.'; } >"$E2E_TMP/clipboard.in"
{ printf ' 1. First.\r\n 2.  '; cat "$body"; printf 'Last.\r\n'; } >"$E2E_TMP/expected"
rm "$body"

start_program
own_clipboard "$E2E_TMP/clipboard.in"
start=$(now_us)
click load
# The save dialog opens once the load has ended.
save_dialog_limit=180
click save
wait_for_dialog "$save_dialog_limit"
log "100 MiB loaded in $((($(now_us) - start) / 1000)) ms (click to save dialog)"
expect_no_message_box
file="$E2E_TMP/large.txt"
type_path "$file"
wait_for_file "$file" 180
expect_bytes "$file" "$E2E_TMP/expected"

log "passed"
