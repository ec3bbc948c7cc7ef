#!/usr/bin/env bash
# Start-up of the program against a bare Qt window of the same title and size
# (bare_window.cpp), in a private Xvfb: the median time from starting it to
# the X server's report that its window is mapped (an xev on the root window
# sees it without polling), and its peak memory (VmHWM) a second later.
# Usage: bench/startup.sh [PROGRAM] [RUNS]   (defaults: the release build, 50;
#        PROGRAM relative to the project root or absolute)
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/release/app/vantrel-article-converter}
runs=${2:-50}
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVANTREL_TESTS=OFF >/dev/null
cmake --build build/bench -j2 --target vantrel-bare-window >/dev/null
bare=build/bench/bench/vantrel-bare-window

export LC_ALL=C.UTF-8
source bench/lib.sh

start() { # start PROGRAM: starts it; $time_ms until its window is mapped
  local begin=$EPOCHREALTIME
  "$1" 2>/dev/null &
  next MapNotify
  time_ms=$(ms_since "$begin")
}

declare -A ms median_ms kb
for ((run = 0; run < runs + 2; run++)); do # the first two warm the caches
  for name in bare program; do
    start "${!name}"
    ((run < 2)) || ms[$name]+=" $time_ms"
    kill $! && next DestroyNotify
  done
done
for name in bare program; do
  # shellcheck disable=SC2086 # the list splits into its figures
  median_ms[$name]=$(median ${ms[$name]})
  start "${!name}" && sleep 1
  kb[$name]=$(awk '/^VmHWM/ { print $2 }' "/proc/$!/status")
  kill $! && next DestroyNotify
  printf '%-8s %6.1f ms to window mapped (median of %d), peak %d kB\n' \
    "$name" "${median_ms[$name]}" "$runs" "${kb[$name]}"
done
awk -v a="${median_ms[program]}" -v b="${median_ms[bare]}" -v m="${kb[program]}" \
  -v n="${kb[bare]}" 'BEGIN { printf "program / bare: %.2fx the time (goal <= " \
  "1.3x), %.2fx the memory (goal <= 1.2x)\n", a / b, m / n }'
