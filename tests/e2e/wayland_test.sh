#!/usr/bin/env bash
# The program as a native Wayland client in a headless sway without X:
# wl-copy's clipboard, keys typed with wtype, the real save dialog, a Latin-1
# save. Usage: wayland_test.sh PROGRAM
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE XDG_CURRENT_DESKTOP
# sway will not run as root: as root, the session is nobody's, in $TMP.
export HOME=$TMP XDG_RUNTIME_DIR=$TMP/run
mkdir -m 700 "$XDG_RUNTIME_DIR" && chmod 755 "$TMP"
user=()
if ((EUID == 0)); then
  chown nobody:nogroup "$TMP" "$XDG_RUNTIME_DIR"
  user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
as_user() { "${user[@]}" "$@"; }
install -m 755 "$1" "$TMP/program"  # where nobody may run it

printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x800\n' >"$TMP/sway.conf"
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  "${user[@]}" sway -c "$TMP/sway.conf" >"$TMP/sway.log" 2>&1 &
PIDS+=($!)
sway_up() {
  WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && compgen -G 'wayland-[0-9]' | head -n 1) &&
    SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*") && export WAYLAND_DISPLAY SWAYSOCK &&
    as_user swaymsg -t get_version >/dev/null 2>&1
}
poll 30 sway_up || fail "sway did not start: $(<"$TMP/sway.log")"
on_failure() { as_user grim - >"$ARTIFACTS/failure.png" || :; }
# Each wtype call adds a keyboard and loses its first key unless one stays.
"${user[@]}" wtype -s 100000000 >/dev/null 2>&1 &
PIDS+=($!)

# focused: the focused window's id and title, as sway's tree has them.
focused() { as_user swaymsg -t get_tree | jq -r '.. | select(.focused? == true) | "\(.id) \(.name)"'; }
focused_is() { [[ $(focused) =~ $1 ]]; }
press() { as_user wtype "$@"; }

(cd "$TMP" && exec "${user[@]}" env LC_ALL=en_US.ISO-8859-1 "$TMP/program") >"$TMP/program.log" 2>&1 &
APP_PID=$! && PIDS+=("$APP_PID")
poll 60 focused_is "^[0-9]+ $TITLE\$" || fail "no window: $(<"$TMP/program.log")"
MAIN_WIN=$(focused)

# load TEXT KEY...: TEXT on the clipboard for one read; KEYs press a button.
load() {
  "${user[@]}" wl-copy --paste-once --foreground -- "$1" >/dev/null 2>&1 &
  CLIP_PID=$! && PIDS+=("$CLIP_PID")
  poll 10 eval 'as_user wl-paste --list-types 2>/dev/null | grep -q "^text/plain"' || fail "wl-copy"
  press "${@:2}"
  poll 30 eval '! kill -0 "$CLIP_PID" 2>/dev/null' || fail "the clipboard was not read"
}
load 'Ärger über Öl. Здравствуй.' -k space
load 'Ça va.' -k Tab -k space  # "Add More", enabled now
press -k Tab -k space
poll 30 focused_is "^[0-9]+ Save As" || fail "no save dialog"
press "$TMP/notes"
for _ in 1 2 3; do
  press -k Return
  poll 5 eval '! focused_is "Save As"' && break
done
# The message box: what Latin-1 lacks was saved as "?".
poll 30 eval 'focused_is "$TITLE" && [[ $(focused) != "$MAIN_WIN" ]]' || fail "no message box"
press -k Return
printf '%b' ' 1. \xc4rger \xfcber \xd6l.\r\n 2.  ??????????.\r\n 3. \xc7a va.\r\n' >"$TMP/expected"
poll 30 cmp -s "$TMP/notes" "$TMP/expected" || fail "notes differs: $(cmp "$TMP/notes" "$TMP/expected" 2>&1)"
echo "wayland: passed"
