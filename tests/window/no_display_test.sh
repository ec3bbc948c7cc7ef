#!/usr/bin/env bash
# Without a display the program says so on one line of stderr and exits
# with status 1, instead of aborting.
# Usage: no_display_test.sh PROGRAM
set -u
program=$1
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>"$errors" \
  >/dev/null
status=$?
lines=$(wc -l <"$errors")
echo "status $status, stderr: $(cat "$errors")"
[[ $status -eq 1 && $lines -eq 1 ]] && grep -q 'display' "$errors"
