#!/usr/bin/env bash
# The Windows Installer package under Wine: signed, refused on Windows 7, installed silently, the
# program used from its shortcut, upgrade, an older version refused, a clean removal.
# Usage: install_msi_test.sh MSI EXE WXS ICON
# shellcheck source-path=SCRIPTDIR
# shellcheck source=../e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
# shellcheck source=wine_lib.sh
source "$(dirname "$0")/wine_lib.sh"
msi=$(realpath "$1") exe=$(realpath "$2") wxs=$(realpath "$3") icon=$(realpath "$4")

# The package holds the program alone, the very exe the zip holds.
[[ $(msiextract -C "$TMP/x" "$msi") == "$TITLE/vantrel-article-converter.exe" ]] || fail "other files packaged"
cpack -G ZIP --config "${msi%/*}/CPackConfig.cmake" -B "$TMP/zip" >/dev/null && unzip -p "$TMP"/zip/*.zip '*.exe' |
  cmp - "$TMP/x/$TITLE/vantrel-article-converter.exe" || fail "the zip's exe is not the .msi's"

# Signed as scripts/package signs, with a throwaway certificate; the signed .msi is installed below.
openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=Test -keyout "$TMP/key" -out "$TMP/cert" 2>/dev/null
openssl pkcs12 -export -inkey "$TMP/key" -in "$TMP/cert" -passout pass:pw -out "$TMP/cert.p12"
cp "$msi" "$exe" "$TMP" && msi=$TMP/${msi##*/} signed=("$msi" "$TMP/${exe##*/}")
VANTREL_SIGN_PKCS12=$TMP/cert.p12 VANTREL_SIGN_PASSWORD=pw "$(dirname "$0")/../../scripts/sign" "${signed[@]}" 2>/dev/null
for f in "${signed[@]}"; do osslsigncode verify -CAfile "$TMP/cert" -in "$f" >/dev/null || fail "$f unsigned"; done

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
apps() {  # the entry under Apps, and its icon (Wine registers the product's, Windows a DisplayIcon too)
  for key in Microsoft\\Windows\\CurrentVersion\\Uninstall Classes\\Installer\\Products; do
    wine reg query "HKLM\\Software\\$key" /s </dev/null 2>/dev/null | tr -d '\r'
  done | sed -nE 's/^ +(DisplayName|DisplayVersion|NoModify|Publisher|ProductIcon) +REG_[A-Z]+ +(.*)$/\1=\2/p' | paste -sd '|'
}
# expect_app VERSION EXE: one entry under Apps, for VERSION, with the program's icon; EXE in place.
expect_app() {
  [[ $(apps) == "DisplayName=$TITLE|DisplayVersion=$1|NoModify=0x1|Publisher=Vantrel|ProductIcon="* ]] || fail "Apps: $(apps)"
  cmp "$(winepath -u "$(apps | sed 's/.*ProductIcon=//')" </dev/null 2>/dev/null)" "$icon" || fail "no icon under Apps"
  cmp "$installed" "$2" || fail "the exe of $1 is not in place"
}
files >"$TMP/files"
start_xvfb
restart_wine
# Windows 7 is refused with a message (its box, on Wine's trace), 10 installs.
timeout 60 wine winecfg -v win7 </dev/null >>"$TMP/wine.log" 2>&1
WINEDEBUG=trace+msgbox wine msiexec /i "$msi" /qb </dev/null >/dev/null 2>"$TMP/win7.log" &
poll 60 grep -q 'needs Windows 10 version 1607' "$TMP/win7.log" || fail "Windows 7 not refused with a message"
timeout 60 wine winecfg -v win10 </dev/null >>"$TMP/wine.log" 2>&1 && restart_wine  # ends the box and its install
msiexec_quiet /i "$msi" || fail "the install failed"
expect_app 1.00 "$exe"
lnk=$(find "$drive" -path "*/Start Menu/Programs/$TITLE.lnk")
[[ -f $lnk ]] || fail "no shortcut in either Start menu"
strings -el "$lnk" | grep -i '\\users\\' && fail "the shortcut starts in a per-user folder"
# As a person uses it: Return on the focused "Get Clipboard Data" (xclip's text
# over Wine's bridge), Tab past "Add More" to "Save"; code page 1252.
start_program wine start /unix "$lnk"
own_text 'The cat sat.  The  dog   ran.\nCafé € end. Rest'
keys "$MAIN_WIN" Return Tab Tab space
save_dialog "$WIN_DIR\\cp1252"
expect_bytes "$TMP/cp1252" ' 1. The cat sat.\r\n 2.  The dog ran.\r\n 3.  Caf\xe9 \x80 end.\r\n'
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
