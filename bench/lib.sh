# shellcheck shell=bash
# What the timing scripts share: the end-to-end tests' private X server and
# tools, and an xev on the root window that reports each window mapped or
# destroyed as it happens, without polling.
# shellcheck source=../tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
start_xvfb
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
