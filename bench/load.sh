#!/usr/bin/env bash
# "Get Clipboard Data" on xclip's clipboard in Xvfb (under Wine, Return on it):
# median ms to the full-list message, against hyperfine's `xclip -o`; the 3K
# row (1024 short sentences) is the press and the message alone. Each run has
# a fresh owner: Wine keeps a text it fetched until X has a new one.
# Usage: bench/load.sh [--windows] [PROGRAM] [RUNS]   (release or Windows; 5)
cd "$(dirname "$0")/.."
source bench/lib.sh "$@"  # and set -eEuo pipefail
[[ ${1:-} == --windows ]] && shift
program=$(realpath "${1:-$program}") # start_program runs it in $TMP
runs=${2:-5}
start_program "${launch[@]}" "$program"
next MapNotify # the window start_program waited for

printf '%-10s %10s %10s\n' clipboard 'xclip -o' load
for size in 3K 10M 100M; do
  text='The river rose again in No. 5 street, see Fig. 2. It fell by 3 in. '
  [[ $size == 3K ]] && text='A. '
  yes "$text" | tr -d "\n" | head -c "${size/M/MiB}" >"$TMP/text" || :
  own_clipboard "$TMP/text"
  hyperfine -N --runs "$runs" --export-csv "$TMP/xclip.csv" \
    'xclip -o -selection clipboard' >/dev/null 2>&1
  loads=()
  for ((run = 0; run < runs; run++)); do
    own_clipboard "$TMP/text" && sleep 0.5 # Wine takes note of the owner
    ((${#launch[@]} == 0)) || focus "$MAIN_WIN" # Wine: Return on the button
    start=$EPOCHREALTIME
    if ((${#launch[@]})); then xdotool key Return; else click load; fi
    next MapNotify
    loads+=("$(ms_since "$start")")
    close_message
  done
  printf "%-10s %7.0f ms %7.0f ms\n" "$size" \
    "$(awk -F, 'NR == 2 { print $4 * 1000 }' "$TMP/xclip.csv")" \
    "$(median "${loads[@]}")"
done
