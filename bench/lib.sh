# shellcheck shell=bash disable=SC2034  # (variables the scripts read)
# The timing scripts' program, bare window, end-to-end tools and an xev on
# windows mapped or destroyed; with --windows, the Windows build under Wine.
# shellcheck source=../tests/e2e/lib.sh
source tests/e2e/lib.sh
start_xvfb
if [[ ${1:-} == --windows ]]; then
  scripts/build-windows >/dev/null
  build=$PWD/build/windows
  export WINEPREFIX=$build/wine WINEDEBUG=-all LOCPATH=$build/locales
  program=$build/win32/vantrel-article-converter.exe
  bare=$build/bench/windows/vantrel-bare-window-win32.exe
  launch=(env LC_ALL=en_US.UTF-8 setarch -R wine)  # see tests/windows/CMakeLists.txt
  # shellcheck source=../tests/windows/wine_lib.sh
  source tests/windows/wine_lib.sh
  if [[ -d $WINEPREFIX ]]; then restart_wine; else make_prefix; fi
else
  cmake --preset bench >/dev/null
  cmake --build build/bench -j2 --target vantrel-bare-window >/dev/null
  export LC_ALL=C.UTF-8
  program=build/release/app/vantrel-article-converter
  bare=build/bench/bench/vantrel-bare-window
  launch=()
fi
exec 5< <(exec xev -root -event substructure 2>/dev/null)
PIDS+=($!)
sleep 1 # xev is listening by then

# next EVENT: reads xev's reports up to EVENT; the window it names in $window.
next() {
  local line
  while read -r -t 60 -u 5 line; do
    [[ $line == "$1"* ]] || continue
    read -r -t 5 -u 5 line && window=${line#*window } && window=${window%%,*}
    return
  done
  fail "no $1 within 60 s"
}
ms_since() { bc <<<"($EPOCHREALTIME - $1) * 1000"; }
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
