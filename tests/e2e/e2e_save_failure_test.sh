#!/usr/bin/env bash
# Files that cannot be written, also for root: a file-size limit, a missing
# folder, a path through a regular file and /dev/full (disk full). Each shows
# the save message, the list stays held, and the next save, to a name with
# spaces and non-ASCII letters (in C.UTF-8), writes every line.
#
# Usage: e2e_save_failure_test.sh PROGRAM OUTPUT_DIR
source "$(dirname "$0")/lib.sh"
e2e_init save_failure "$1" "$2"
start_xvfb

# 60 sentences, about 2 KB saved: more than the 1 KB file-size limit.
printf 'Line %d of the article. ' {1..60} >"$E2E_TMP/clipboard.in"
{
  printf ' 1. Line 1 of the article.\r\n'
  for i in {2..60}; do printf ' %d.  Line %d of the article.\r\n' "$i" "$i"; done
} >"$E2E_TMP/expected"
printf 'plain\n' >"$E2E_TMP/plain.txt"

# A soft limit of 1 KB, raised again once the first save has failed.
start_program prlimit --fsize=1024:unlimited --
own_clipboard "$E2E_TMP/clipboard.in"
click load

saves=0
for path in "$E2E_TMP/limited.txt" "$E2E_TMP/missing/out.txt" \
  "$E2E_TMP/plain.txt/out.txt" /dev/full; do
  log "case $path"
  save_as "$path"
  close_message_box
  if [[ $path == */limited.txt ]]; then
    prlimit --pid "$APP_PID" --fsize=unlimited:unlimited
  fi
  save_and_expect "$E2E_TMP/Ärger über Öl — día $((++saves)).txt" \
    "$E2E_TMP/expected"
done

log "passed"
