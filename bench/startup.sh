#!/usr/bin/env bash
# Start-up of the program against a bare Qt window of the same title and size
# (bare_window.cpp, built in build/bench), in a private Xvfb. hyperfine times
# "start it, wait until the X server maps its window, kill it"; both figures
# hold the same few ms of bash and xev start, so the ratio is a little low.
# Then each one's peak memory (VmHWM) 1 s after its window was mapped.
# Usage: bench/startup.sh [PROGRAM] [RUNS]   (defaults: the release build, 20)
set -euo pipefail
map_of() { # map_of PROGRAM: starts it, returns once its window is mapped
  exec 5< <(exec xev -root -event substructure)
  local xev=$! line
  "$1" 2>/dev/null &
  while read -r -t 10 -u 5 line && [[ $line != MapNotify* ]]; do :; done
  kill "$xev"
}
if [[ ${1-} == --mapped ]]; then
  map_of "$2"
  kill $! && exit 0
fi
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/release/app/vantrel-article-converter}")
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVANTREL_TESTS=OFF >/dev/null
cmake --build build/bench -j2 --target vantrel-bare-window >/dev/null
bare=$PWD/build/bench/bench/vantrel-bare-window

n=$((140 + RANDOM % 800))
while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do ((n++)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null &
xvfb=$!
trap 'kill $xvfb' EXIT
export DISPLAY=:$n LC_ALL=C.UTF-8
for ((i = 0; i < 100; i++)); do
  xdotool getmouselocation >/dev/null 2>&1 && break || sleep 0.1
done

hyperfine -N --warmup 3 --runs "${2:-20}" "$0 --mapped $bare" \
  "$0 --mapped $program"
for p in "$bare" "$program"; do
  map_of "$p"
  sleep 1
  echo "peak memory of $(basename "$p"): $(grep VmHWM "/proc/$!/status")"
  kill $!
done
