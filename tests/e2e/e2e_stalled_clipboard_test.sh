#!/usr/bin/env bash
# A clipboard owner that stops answering, in the middle of a 100 MB transfer
# or before the program asks. Qt's X11 clipboard gives up after 5 s without
# an answer and returns no text at all, never part of one. What the user
# must see: the window answers again, and either the whole text was added
# or nothing was added and a message says so; never a silently partial or
# silently empty load. The list held before ("Add More" is clicked) shows
# which it was.
#
# Usage: e2e_stalled_clipboard_test.sh PROGRAM OUTPUT_DIR
source "$(dirname "$0")/lib.sh"
e2e_init stalled_clipboard "$1" "$2"
start_xvfb

readonly HELD_FILE=' 1. The cat sat.\r\n 2.  The dog ran.\r\n'
printf '%b' "$HELD_FILE" >"$E2E_TMP/held.expected"

body="$E2E_TMP/body"
{ yes 'The quick brown fox jumps over the lazy dog near the river bank' || true; } |
  head -c $((100 * 1024 * 1024)) | tr '\n' ' ' >"$body"
{ printf 'First. '; cat "$body"; printf 'Last.'; } >"$E2E_TMP/large.in"
{
  printf '%b' "$HELD_FILE"
  printf ' 3. First.\r\n 4.  '
  cat "$body"
  printf 'Last.\r\n'
} >"$E2E_TMP/whole.expected"
rm "$body"

# Bytes xclip has written so far, most of them to the X server.
xclip_written() {
  local key value
  while read -r key value; do
    if [[ $key == wchar: ]]; then
      echo "$value"
      return
    fi
  done <"/proc/$CLIP_PID/io"
}

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
      log "owner stopped after sending $(xclip_written) bytes"
      return
    fi
  done
  fail "xclip never sent $1 bytes"
}

# hold_cat_dog: a fresh program holding two sentences.
hold_cat_dog() {
  start_program
  own_clipboard_text 'The cat sat. The dog ran.'
  click load
  click save
  wait_for_dialog
  cancel_dialog
}

# The click is followed by a click on "Save"; the window answers again when
# the save dialog or a message box shows. Then the list is saved.
expect_whole_or_told() {
  local name=$1 started=$2
  click save
  poll 60 dialog_or_message_shown || fail "the window did not answer again"
  log "the window answered after $((($(now_us) - started) / 1000)) ms"
  local file="$E2E_TMP/$name.txt"
  if message_box_shown; then
    log "a message was shown"
    close_message_box
    save_as "$file"
    wait_for_file "$file"
    expect_bytes "$file" "$E2E_TMP/held.expected"
  else
    type_path "$file"
    wait_for_file "$file" 180
    if cmp -s "$file" "$E2E_TMP/held.expected"; then
      fail "nothing was added and the user was not told"
    fi
    expect_bytes "$file" "$E2E_TMP/whole.expected"
  fi
}

dialog_or_message_shown() { dialog_has_focus || message_box_shown; }

log "case owner_stops_during_transfer"
hold_cat_dog
own_clipboard "$E2E_TMP/large.in"
started=$(now_us)
click add
stop_xclip_after $((8 * 1024 * 1024))
expect_whole_or_told owner_stops_during_transfer "$started"

log "case owner_stopped_before_the_click"
hold_cat_dog
own_clipboard "$E2E_TMP/large.in"
kill -STOP "$CLIP_PID"
started=$(now_us)
click add
expect_whole_or_told owner_stopped_before_the_click "$started"

log "passed"
