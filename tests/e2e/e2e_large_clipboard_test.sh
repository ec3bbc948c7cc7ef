#!/usr/bin/env bash
# A 100 MB clipboard owned by another process (xclip) reaches the program by
# X11's incremental transfer (INCR): the load ends with the whole text held,
# saved byte for byte. Then an owner that stops answering, in the middle of
# the transfer or before the program asks: Qt's X11 clipboard gives up after
# 5 s without an answer and returns no text at all. The window must answer
# again, and either the whole text was loaded or nothing was and a message
# says so; never a silently partial or silently empty load.
#
# Usage: e2e_large_clipboard_test.sh PROGRAM OUTPUT_DIR
source "$(dirname "$0")/lib.sh"
e2e_init large_clipboard "$1" "$2"
start_xvfb

# 100 MiB of words without a full stop, single spaces only.
body="$E2E_TMP/body"
{ yes 'The quick brown fox jumps over the lazy dog near the river bank' || true; } |
  head -c $((100 * 1024 * 1024)) | tr '\n' ' ' >"$body"
{ printf 'First. '; cat "$body"; printf 'Last.'; } >"$E2E_TMP/large.in"
{ printf ' 1. First.\r\n 2.  '; cat "$body"; printf 'Last.\r\n'; } >"$E2E_TMP/whole.expected"
rm "$body"
: >"$E2E_TMP/nothing.expected"

log "case whole_text"
start_program
own_clipboard "$E2E_TMP/large.in"
click load
save_and_expect "$E2E_TMP/whole.txt" "$E2E_TMP/whole.expected" 180

# stop_xclip_after BYTES: stops the owner once it has sent BYTES; polls
# without forking, since the whole transfer may take a tenth of a second.
stop_xclip_after() {
  local key value deadline=$(($(now_us) + E2E_WAIT * 1000000))
  while (($(now_us) < deadline)); do
    while read -r key value; do
      [[ $key == wchar: ]] && break
    done <"/proc/$CLIP_PID/io"
    if ((value >= $1)); then
      kill -STOP "$CLIP_PID"
      return
    fi
  done
  fail "xclip never sent $1 bytes"
}

# expect_whole_or_told NAME: after the load, "Save" opens the dialog (the
# whole text was loaded) or the message shows (nothing was loaded).
expect_whole_or_told() {
  click save
  poll 60 dialog_or_message_shown || fail "the window did not answer again"
  local file="$E2E_TMP/$1.txt"
  if message_box_shown; then
    log "a message was shown"
    close_message_box
    save_and_expect "$file" "$E2E_TMP/nothing.expected"
  else
    type_path "$file"
    expect_file "$file" "$E2E_TMP/whole.expected" 180
  fi
}

log "case owner_stops_during_transfer"
start_program
own_clipboard "$E2E_TMP/large.in"
click load
stop_xclip_after $((8 * 1024 * 1024))
expect_whole_or_told owner_stops_during_transfer

log "case owner_stopped_before_the_click"
start_program
own_clipboard "$E2E_TMP/large.in"
kill -STOP "$CLIP_PID"
click load
expect_whole_or_told owner_stopped_before_the_click

log "passed"
