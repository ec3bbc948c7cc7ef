#!/usr/bin/env bash
# The Windows Installer package under Wine, silently: install, the program
# used from its shortcut, upgrade, an older version refused, a clean removal.
# Usage: install_msi_test.sh MSI EXE WXS ICON
# shellcheck source-path=SCRIPTDIR
# shellcheck source=../e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
# shellcheck source=wine_lib.sh
source "$(dirname "$0")/wine_lib.sh"
msi=$(realpath "$1") exe=$(realpath "$2") wxs=$(realpath "$3") icon=$(realpath "$4")

# The package holds the program's icon and the program alone.
msiinfo extract "$msi" Icon.program.ico | cmp - "$icon" || fail "the package's icon is not the program's"
[[ $(msiextract -C "$TMP/x" "$msi") == "$TITLE/vantrel-article-converter.exe" ]] || fail "other files packaged"

# build VERSION EXE: the same package at VERSION, with EXE as its program.
build() {
  mkdir "$TMP/$1" && cp "$2" "$TMP/$1/vantrel-article-converter.exe" && cd "$TMP/$1"
  wixl -a x64 -o "$TMP/$1.msi" -D Version="$1" -D ProductName="$TITLE" -D Manufacturer=Vantrel \
    -D Exe=vantrel-article-converter.exe -D Icon="$(realpath --relative-to=. "$icon")" "$wxs"
}
printf later | cat "$exe" - >"$TMP/later.exe"  # another exe that runs
build 1.01 "$TMP/later.exe" || fail "wixl 1.01"
build 0.99 "$exe" || fail "wixl 0.99"

msiexec_quiet() { timeout 120 wine msiexec "$@" /qn </dev/null >/dev/null 2>&1; }
drive=$WINEPREFIX/drive_c installed="$WINEPREFIX/drive_c/Program Files/$TITLE/vantrel-article-converter.exe"
files() { (cd "$drive" && find . | grep -v '^\./windows/Installer' | sort); }  # not Windows' package cache
apps() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s </dev/null 2>/dev/null | tr -d '\r' |
    sed -nE 's/^ +(DisplayName|DisplayVersion|NoModify|Publisher) +REG_[A-Z]+ +(.*)$/\1=\2/p' | paste -sd '|'
}
# expect_app VERSION EXE: one entry under Apps, for VERSION, and EXE in place.
expect_app() {
  [[ $(apps) == "DisplayName=$TITLE|DisplayVersion=$1|NoModify=0x1|Publisher=Vantrel" ]] || fail "Apps: $(apps)"
  cmp "$installed" "$2" || fail "the exe of $1 is not in place"
}
files >"$TMP/files"
start_xvfb
restart_wine
msiexec_quiet /i "$msi" || fail "the install failed"
expect_app 1.00 "$exe"
lnk=$(find "$drive" -path "*/Start Menu/Programs/$TITLE.lnk")
[[ -f $lnk ]] || fail "no shortcut in either Start menu"
# As a person uses it: Return on the focused "Get Clipboard Data" (xclip's text
# over Wine's bridge), Tab past "Add More" to "Save"; code page 1252.
start_program wine start /unix "$lnk"
own_text 'The cat sat.  The  dog   ran.\nCafé € ā ∞ end. Rest'
keys "$MAIN_WIN" Return Tab Tab space
save_dialog "$WIN_DIR\\cp1252"
close_message  # "ā" and "∞" were written as "?"
expect_bytes "$TMP/cp1252" ' 1. The cat sat.\r\n 2.  The dog ran.\r\n 3.  Caf\xe9 \x80 ? ? end.\r\n'
keys "$MAIN_WIN" alt+F4
poll 30 eval '! main_window_shown' || fail "Alt+F4 did not close the window"

msiexec_quiet /i "$TMP/1.01.msi" || fail "the upgrade failed"
expect_app 1.01 "$TMP/later.exe"
status=0 && msiexec_quiet /i "$TMP/0.99.msi" || status=$?
((status == 1603 % 256)) || fail "an older version over a newer one gave $status, not 1603 (67 in Wine)"
expect_app 1.01 "$TMP/later.exe"
msiexec_quiet /x "$TMP/1.01.msi" || fail "the removal failed"
diff "$TMP/files" <(files) >&2 || fail "the removal left files (>) or took some (<)"
[[ -z $(apps) ]] || fail "the removal left its entry under Apps: $(apps)"
echo "passed"
