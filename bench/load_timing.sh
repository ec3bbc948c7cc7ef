#!/usr/bin/env bash
# Prints how long "Get Clipboard Data" takes, from the click to the list
# held, for 1, 10 and 100 MiB clipboards owned by another process (xclip),
# next to the time `xclip -o` takes to read the same clipboard. Not a test:
# it prints figures and passes judgement on nothing.
#
# The end of a load is seen from outside: clicks are handled one at a time,
# so a click on "Save" right after the load opens the save dialog only once
# the load has returned; with prose, the full-list message marks the end
# instead (1000 sentences are held long before the text ends). The time such
# a window takes to open after a load of nothing is measured and taken off.
# The text without full stops costs the same transfer and decoding but
# almost no cutting, so the difference between the two rows is the cutting.
#
# Usage: bench/load_timing.sh PROGRAM [RUNS]   (median of RUNS runs, default 3)
# Look often: the figures are only as fine as the polling.
E2E_POLL_INTERVAL=0.005
# shellcheck source-path=SCRIPTDIR/..
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../tests/e2e/lib.sh"
runs=${2:-3}
e2e_init load_timing "$1" "${TMPDIR:-/tmp}/vantrel-load-timing"
start_xvfb
start_program

readonly MIB=$((1024 * 1024))
readonly SENTENCES='The committee met again on Monday to review the results. '\
'Fig. 3 shows the flow of water through the 2 in. pipe at No. 5 station. '\
'Nobody expected the river to rise so fast after the storm. '\
'The figures in Figs. 4 and 5 were taken before the repairs. '

# prose FILE BYTES: sentences with abbreviations, single spaces.
prose() {
  yes "$SENTENCES" | tr -d '\n' | head -c "$2" >"$1" || true
}

# unbroken FILE BYTES: the same words without a single full stop.
unbroken() {
  yes "$SENTENCES" | tr -d '\n.' | head -c "$2" >"$1" || true
}

ms_since() { echo $((($(now_us) - $1) / 1000)); }

median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

# close_marker: closes the save dialog or the message box, whichever shows.
close_marker() {
  if message_box_shown; then
    close_message_box
  else
    cancel_dialog
  fi
}

# click_to_marker BUTTONS...: ms from the first click to the dialog or the
# message box that marks the end of the handlers.
click_to_marker() {
  local started
  started=$(now_us)
  click "$@"
  poll 600 dialog_or_message_shown || fail "the window did not answer"
  ms_since "$started"
  close_marker
}

# xclip_read_ms: ms that `xclip -o` takes to read the whole clipboard.
xclip_read_ms() {
  local started
  started=$(now_us)
  xclip -o -selection clipboard >/dev/null
  ms_since "$started"
}

# median_of COMMAND...: the median of RUNS runs of COMMAND's figure.
median_of() {
  local figures=() i
  for ((i = 0; i < runs; i++)); do figures+=("$("$@")"); done
  median "${figures[@]}"
}

# Windows opening after a load of nothing: the save dialog with an empty
# list, the full-list message after 1001 short sentences.
printf '' >"$E2E_TMP/empty.in"
own_clipboard "$E2E_TMP/empty.in"
dialog_ms=$(median_of click_to_marker load save)
printf 'A. %.0s' {1..1001} >"$E2E_TMP/overflow.in"
own_clipboard "$E2E_TMP/overflow.in"
message_ms=$(median_of click_to_marker load)

printf '\nMedian of %d runs, in ms. "to window": from the click to the save\n' "$runs"
printf 'dialog (no full stop) or the full-list message (prose); "held": that less\n'
printf 'the time the same window takes after a load of nothing (dialog %d ms,\n' "$dialog_ms"
printf 'message %d ms). "cutting": prose held less no-full-stop held.\n\n' "$message_ms"
printf '%-8s %-13s %9s %10s %7s %12s %8s\n' clipboard text 'xclip -o' 'to window' \
  held 'held/xclip' cutting
for size in 1 10 100; do
  for kind in unbroken prose; do
    input="$E2E_TMP/$kind-$size.in"
    "$kind" "$input" $((size * MIB))
    own_clipboard "$input"
    xclip_ms=$(median_of xclip_read_ms)
    if [[ $kind == prose ]]; then
      window_ms=$(median_of click_to_marker load)
      held_ms=$((window_ms - message_ms))
      label=prose cutting=$((held_ms - unbroken_held_ms))
    else
      window_ms=$(median_of click_to_marker load save)
      held_ms=$((window_ms - dialog_ms))
      label='no full stop' cutting='' unbroken_held_ms=$held_ms
    fi
    ratio=$(awk -v a="$held_ms" -v b="$xclip_ms" \
      'BEGIN { printf "%.1f", a / (b > 0 ? b : 1) }')
    printf '%-8s %-13s %9d %10d %7d %12s %8s\n' "$size MiB" "$label" \
      "$xclip_ms" "$window_ms" "$held_ms" "$ratio" "$cutting"
    rm "$input"
  done
done
