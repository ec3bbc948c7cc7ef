#!/usr/bin/env bash
# Files that cannot be written, also for root: a missing folder, a path
# through a regular file, /dev/full (disk full) and a file-size limit. Each
# shows the save message, the list stays held, and a later save to a good
# name writes every line. A folder's name typed into the dialog opens that
# folder instead of returning it. A name with spaces and non-ASCII letters
# saves in C.UTF-8.
#
# Usage: e2e_save_failure_test.sh PROGRAM OUTPUT_DIR
source "$(dirname "$0")/lib.sh"
e2e_init save_failure "$1" "$2"
start_xvfb

# 60 sentences, about 2 KB saved: more than the 1 KB file-size limit below.
clipboard="$E2E_TMP/clipboard.in"
expected="$E2E_TMP/expected"
printf 'Line %d of the article. ' {1..60} >"$clipboard"
{
  printf ' 1. Line 1 of the article.\r\n'
  for i in {2..60}; do printf ' %d.  Line %d of the article.\r\n' "$i" "$i"; done
} >"$expected"

mkdir "$E2E_TMP/folder"
printf 'plain\n' >"$E2E_TMP/plain.txt"

# load_article: a fresh program holding the 60 sentences.
load_article() {
  start_program
  own_clipboard "$clipboard"
  click load
}

# save_fails_then_recovers NAME PATH: the save to PATH shows the message and
# writes nothing there; the next save to a good name writes every line.
save_fails_then_recovers() {
  local name=$1 path=$2
  save_as "$path"
  wait_for_message_box
  close_message_box
  local good="$E2E_TMP/after-$name.txt"
  save_as "$good"
  wait_for_file "$good"
  expect_no_message_box
  expect_bytes "$good" "$expected"
}

#         name                 path the user types
failures=(
  missing_folder "$E2E_TMP/missing/out.txt"
  through_a_file "$E2E_TMP/plain.txt/out.txt"
  disk_full /dev/full
)
for ((i = 0; i < ${#failures[@]}; i += 2)); do
  name=${failures[i]} path=${failures[i + 1]}
  log "case $name"
  load_article
  save_fails_then_recovers "$name" "$path"
  [[ ! -e $path || $path == /dev/full ]] || fail "$path was created"
done

log "case file_size_limit"
# A soft limit of 1 KB that the test raises again once the save has failed.
APP_WRAPPER=(prlimit --fsize=1024:unlimited --)
load_article
APP_WRAPPER=()
limited="$E2E_TMP/limited.txt"
save_as "$limited"
wait_for_message_box
prlimit --pid "$APP_PID" --fsize=unlimited:unlimited
close_message_box
good="$E2E_TMP/after-limit.txt"
save_as "$good"
wait_for_file "$good"
expect_bytes "$good" "$expected"

log "case folder_name"
load_article
click save
wait_for_dialog
enter_path "$E2E_TMP/folder"
xdotool key Return
# The dialog shows the folder and stays open; nothing is saved.
sleep 1
dialog_has_focus || fail "the dialog closed on a folder's name"
cancel_dialog
expect_no_message_box
[[ -z $(ls -A "$E2E_TMP/folder") ]] || fail "something was saved in the folder"
save_as "$E2E_TMP/after-folder.txt"
wait_for_file "$E2E_TMP/after-folder.txt"
expect_bytes "$E2E_TMP/after-folder.txt" "$expected"

log "case name_with_spaces_and_non_ascii"
load_article
odd_name="$E2E_TMP/Ärger über Öl — día 1.txt"
save_as "$odd_name"
wait_for_file "$odd_name"
expect_no_message_box
expect_bytes "$odd_name" "$expected"

log "passed"
