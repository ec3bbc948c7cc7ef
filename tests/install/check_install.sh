#!/usr/bin/env bash
# Usage: check_install.sh BUILD_DIR BINDIR DATADIR (BINDIR and DATADIR relative
# to the prefix). Installs BUILD_DIR into a fresh temporary prefix, validates
# the launcher and the AppStream metadata, checks every icon, then starts the
# installed program in a private X server and waits (bounded) for its window,
# which must carry the caption and an icon. Exits non-zero on the first fault.
set -euo pipefail

build=$1
bindir=$2
datadir=$3
id=org.vantrel.ArticleConverter
exe=vantrel-article-converter
title="Vantrel Article Converter"
icon_sizes=(16 24 32 48 64 128 256)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

require() {  # command, Debian package
  command -v "$1" >/dev/null || fail "$1 is missing (Debian package $2)"
}
require desktop-file-validate desktop-file-utils
require appstreamcli appstream
require Xvfb xvfb
require xdotool xdotool
require xprop x11-utils

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-install.XXXXXX")
started=()  # processes to stop on exit
cleanup() {
  for pid in "${started[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

# --- install -----------------------------------------------------------------
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; }

program=$prefix/$bindir/$exe
launcher=$prefix/$datadir/applications/$id.desktop
metainfo=$prefix/$datadir/metainfo/$id.metainfo.xml
icons=$prefix/$datadir/icons/hicolor
[[ -x $program ]] || fail "program not installed as $program"
[[ -f $launcher ]] || fail "launcher not installed as $launcher"
[[ -f $metainfo ]] || fail "metadata not installed as $metainfo"
[[ -f $icons/scalable/apps/$id.svg ]] || fail "scalable icon not installed"

# Each PNG must sit in the folder of its own size: width and height are the
# big-endian words at bytes 16 and 20 of the file (the IHDR chunk).
png_size() {
  od -An -tu1 -j16 -N8 "$1" |
    awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}
for size in "${icon_sizes[@]}"; do
  png=$icons/${size}x${size}/apps/$id.png
  [[ -f $png ]] || fail "icon not installed as $png"
  [[ $(png_size "$png") == "${size}x${size}" ]] ||
    fail "$png is $(png_size "$png"), not ${size}x${size}"
done

# --- validate the launcher and the metadata ------------------------------------
# desktop-file-validate exits 0 on warnings and hints, so any output fails.
report=$(desktop-file-validate "$launcher" 2>&1) || true
[[ -z $report ]] || fail "desktop-file-validate: $report"
appstreamcli validate --no-net --strict "$metainfo" ||
  fail "appstreamcli validate rejected $metainfo"
appstreamcli validate-tree --no-net --strict "$prefix" ||
  fail "appstreamcli validate-tree rejected the installed tree"

entry() { sed -n "s/^$1=//p" "$launcher"; }
[[ $(entry Exec) == "$exe" ]] || fail "launcher Exec is '$(entry Exec)'"
[[ $(entry Icon) == "$id" ]] || fail "launcher Icon is '$(entry Icon)'"
[[ $(entry Name) == "$title" ]] || fail "launcher Name is '$(entry Name)'"

# --- start the installed program -------------------------------------------------
mkdir -m 700 "$work/runtime" "$work/home"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
  2>"$work/xvfb.log" &
started+=($!)
for ((i = 0; i < 100; i++)); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
[[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n1 "$work/display")

# From another folder, with no path into the build tree, so only what was
# installed can be found.
(cd "$work/home" &&
  exec env -u LD_LIBRARY_PATH -u QT_PLUGIN_PATH HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb "$program") \
  >"$work/program.log" 2>&1 &
program_pid=$!
started+=("$program_pid")

window=
for ((i = 0; i < 150; i++)); do
  kill -0 "$program_pid" 2>/dev/null ||
    fail "the program ended before showing its window: $(cat "$work/program.log")"
  window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1) &&
    [[ -n $window ]] && break
  sleep 0.1
done
[[ -n $window ]] || fail "no visible window captioned '$title' within 15 s"

# xprop draws each image of _NET_WM_ICON under a heading "Icon (W x H):".
# Window managers draw 16 to 48 pixels (Qt leaves out the largest sizes).
window_icons=$(xprop -id "$window" -notype _NET_WM_ICON |
  sed -n 's/.*Icon (\([0-9]*\) x \([0-9]*\)):.*/\1x\2/p' | tr '\n' ' ')
for size in 16 24 32 48; do
  [[ " $window_icons" == *" ${size}x${size} "* ]] ||
    fail "the window icon lacks ${size}x${size} (has: ${window_icons:-none})"
done

# Docks match the window to its launcher by StartupWMClass.
wm_class=$(xprop -id "$window" -notype WM_CLASS)
[[ $wm_class == *"\"$(entry StartupWMClass)\""* ]] ||
  fail "the launcher's StartupWMClass '$(entry StartupWMClass)' is not in $wm_class"

sleep 1  # a fault just after start-up would end the program by now
kill -0 "$program_pid" 2>/dev/null ||
  fail "the program ended after showing its window: $(cat "$work/program.log")"
echo "installed into a prefix, validated, and the window showed with its icon"
