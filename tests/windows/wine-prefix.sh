#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests run in, afresh: WINEPREFIX (the
# environment names it), the en_US and ja_JP UTF-8 locales in LOCPATH (Wine
# takes the ANSI code page from LANG, the dialogs' language from
# LC_MESSAGES), no window manager stalls (Managed=N), and a running, warmed
# wineserver, so that no Wine helper holds a test's output pipe open.
set -euo pipefail
: "${WINEPREFIX:?}" "${LOCPATH:?}"
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$LOCPATH"
for locale in en_US ja_JP; do
  [[ -d $LOCPATH/$locale.UTF-8 ]] ||
    localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8"
done
export LANG=en_US.UTF-8
wineboot -i </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
  </dev/null >/dev/null 2>&1
wineserver -w
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
