#!/usr/bin/env bash
# Start-up against a bare window of the same title and size, in Xvfb: the
# median time until X maps its window; on Linux, VmHWM a second later.
# Usage: bench/startup.sh [--windows] [PROGRAM] [RUNS]   (release or Windows; 50)
cd "$(dirname "$0")/.."
source bench/lib.sh "$@"  # and set -eEuo pipefail
[[ ${1:-} == --windows ]] && shift
program=${1:-$program}
runs=${2:-50}

start() { # start PROGRAM: starts it; $time_ms until its window is mapped
  local begin=$EPOCHREALTIME
  "${launch[@]}" "$1" >/dev/null 2>&1 &
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
  printf '%-8s %6.1f ms to window mapped (median of %d)' "$name" "${median_ms[$name]}" "$runs"
  ((${#launch[@]} == 0)) || { echo && continue; } # Wine's processes differ
  start "${!name}" && sleep 1
  kb[$name]=$(awk '/^VmHWM/ { print $2 }' "/proc/$!/status")
  kill $! && next DestroyNotify
  printf ', peak %d kB\n' "${kb[$name]}"
done
awk -v a="${median_ms[program]}" -v b="${median_ms[bare]}" -v m="${kb[program]:-}" \
  -v n="${kb[bare]:-}" 'BEGIN { printf "program / bare: %.2fx the time (goal <= 1.3x)", a / b
  if (n) printf ", %.2fx the memory (goal <= 1.2x)", m / n; print "" }'
