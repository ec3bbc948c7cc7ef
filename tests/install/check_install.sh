#!/usr/bin/env bash
# Usage: check_install.sh BUILD_DIR BINDIR DATADIR (BINDIR and DATADIR relative
# to the prefix). Installs BUILD_DIR into a fresh temporary prefix, validates
# the launcher and the AppStream metadata, then starts the installed program
# in a private X server and waits (bounded) for its window, which must carry
# the caption, an icon and the launcher's window class.
set -euo pipefail

id=org.vantrel.ArticleConverter
title="Vantrel Article Converter"
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-install.XXXXXX")
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait; rm -rf "$work"' EXIT

prefix=$work/prefix
cmake --install "$1" --prefix "$prefix" >/dev/null
program=$prefix/$2/vantrel-article-converter
launcher=$prefix/$3/applications/$id.desktop
[[ -x $program ]] || fail "program not installed as $program"
[[ -f $prefix/$3/icons/hicolor/scalable/apps/$id.svg ]] || fail "no SVG icon"

# desktop-file-validate exits 0 on warnings and hints, so any output fails.
report=$(desktop-file-validate "$launcher" 2>&1) || true
[[ -z $report ]] || fail "desktop-file-validate: $report"
appstreamcli validate-tree --no-net --strict "$prefix" ||
  fail "appstreamcli rejected the installed metadata"
entry() { sed -n "s/^$1=//p" "$launcher"; }
[[ -x $prefix/$2/$(entry Exec) ]] || fail "launcher Exec '$(entry Exec)' not installed"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" &
pids+=($!)
for ((i = 0; i < 100; i++)); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")

# From another folder, so only what was installed can be found.
mkdir -m 700 "$work/home"
(cd "$work/home" && exec env HOME="$work/home" XDG_RUNTIME_DIR="$work/home" \
  QT_QPA_PLATFORM=xcb "$program") &
pids+=($!)
window=
for ((i = 0; i < 150; i++)); do
  window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1) &&
    [[ -n $window ]] && break
  sleep 0.1
done
[[ -n $window ]] || fail "no visible window captioned '$title' within 15 s"

# xprop lists each image of _NET_WM_ICON as "Icon (W x H):".
icons=$(xprop -id "$window" -notype _NET_WM_ICON | grep -c 'Icon (' || true)
((icons > 0)) || fail "the window has no icon"
# Docks match the window to its launcher by StartupWMClass.
[[ $(xprop -id "$window" -notype WM_CLASS) == *"\"$(entry StartupWMClass)\""* ]] ||
  fail "the window's WM_CLASS differs from the launcher's StartupWMClass"
echo "installed into a prefix, validated, and the window showed with its icon"
