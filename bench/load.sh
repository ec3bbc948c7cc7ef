#!/usr/bin/env bash
# "Get Clipboard Data" on a clipboard xclip owns, in a private Xvfb: median
# ms from the click to the full-list message (shown once the load is done),
# against hyperfine's median of `xclip -o` on the same clipboard. The 3K row
# (1024 short sentences) is what the click and the message cost alone.
# Usage: bench/load.sh [PROGRAM] [RUNS]   (defaults: the release build, 5;
#        PROGRAM relative to the project root or absolute)
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/release/app/vantrel-article-converter}
runs=${2:-5}
work=$(mktemp -d)
n=$((140 + RANDOM % 800))
while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do ((n++)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null &
trap 'kill $(jobs -p) 2>/dev/null; rm -r "$work"' EXIT
export DISPLAY=:$n LC_ALL=C.UTF-8
for ((i = 0; i < 100; i++)); do
  xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1
done

exec 5< <(exec xev -root -event substructure 2>/dev/null)
sleep 1 # xev is listening by then
next() { # next EVENT: reads xev's report up to EVENT; its window in $window
  local line
  while read -r -t 60 -u 5 line; do
    [[ $line == "$1"* ]] || continue
    read -r -t 5 -u 5 line && window=${line#*window } && window=${window%%,*}
    return
  done
  echo "no $1 within 60 s" >&2 && exit 1
}
"$program" 2>/dev/null &
next MapNotify
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

printf '%-10s %10s %10s\n' clipboard 'xclip -o' load
for size in 3K 10M 100M; do
  text='The river rose again in No. 5 street, see Fig. 2. It fell by 3 in. '
  [[ $size == 3K ]] && text='A. '
  yes "$text" | tr -d '\n' | head -c "${size/M/MiB}" >"$work/text" || true
  xclip -quiet -selection clipboard -i "$work/text" 2>/dev/null &
  xclip=$!
  for ((i = 0; i < 100; i++)); do # until xclip serves it
    xclip -o -selection clipboard -t TARGETS >/dev/null 2>&1 && break; sleep 0.1
  done
  hyperfine -N --runs "$runs" --export-csv "$work/xclip.csv" \
    'xclip -o -selection clipboard' >/dev/null 2>&1
  loads=()
  for ((run = 0; run < runs; run++)); do
    start=$EPOCHREALTIME
    xdotool mousemove 56 24 click 1 & # it lingers ~100 ms after the click
    next MapNotify
    loads+=("$(bc <<<"($EPOCHREALTIME - $start) * 1000 / 1")")
    xdotool windowfocus --sync "$window" key Return
    next UnmapNotify
    wait $!
  done
  printf '%-10s %7.0f ms %7d ms\n' "$size" \
    "$(awk -F, 'NR == 2 { print $4 * 1000 }' "$work/xclip.csv")" \
    "$(median "${loads[@]}")"
  kill "$xclip"
done
