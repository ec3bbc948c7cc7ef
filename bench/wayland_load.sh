#!/usr/bin/env bash
# "Get Clipboard Data" on wl-copy's clipboard in a headless sway (Qt's native
# Wayland client): median ms from Space on the button to the full-list
# message (polled every 50 ms), against hyperfine's `wl-paste` of the same.
# Usage: bench/wayland_load.sh [PROGRAM] [RUNS]   (the dev build; 5)
cd "$(dirname "$0")/.."
source tests/e2e/lib.sh
program=$(realpath "${1:-build/dev/app/vantrel-article-converter}")
runs=${2:-5}
unset QT_QPA_PLATFORM XDG_SESSION_TYPE XDG_CURRENT_DESKTOP
start_sway
install -m 755 "$program" "$TMP/program"
start_program "${AS_USER[@]}" env LC_ALL=C.UTF-8 "$TMP/program"
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
printf '%-10s %10s %10s\n' clipboard 'wl-paste' load
for size in 10M 100M; do
  yes 'The river rose again in No. 5 street, see Fig. 2. It fell by 3 in. ' |
    tr -d "\n" | head -c "${size/M/MiB}" >"$TMP/text" || :
  own_clipboard "$TMP/text"
  hyperfine -N --runs "$runs" --export-csv "$TMP/paste.csv" \
    "${AS_USER[*]} env WAYLAND_DISPLAY=$WAYLAND_DISPLAY XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR wl-paste" >/dev/null 2>&1
  loads=()
  for ((run = 0; run < runs; run++)); do
    start=$EPOCHREALTIME
    keys "$MAIN_WIN" space
    poll 120 eval '! no_message' || fail "no message"
    loads+=("$(bc <<<"($EPOCHREALTIME - $start) * 1000")")
    keys "$(message_box)" Return && poll 10 no_message
  done
  printf "%-10s %7.0f ms %7.0f ms\n" "$size" \
    "$(awk -F, 'NR == 2 { print $4 * 1000 }' "$TMP/paste.csv")" "$(median "${loads[@]}")"
done
# Each load was a whole read: Qt gave up on none.
! grep -q QWaylandDataOffer "$TMP/program.log" || fail "$(<"$TMP/program.log")"
