#!/usr/bin/env bash
# The Windows Installer package under Wine, silently: hyperfine's times for
# an install, an upgrade to a later version, an older version refused, and a
# removal, each from the state it needs (set up by --prepare, not timed). In a
# Wine prefix of its own (build/bench-msi), without a display.
# Usage: bench/msi.sh [RUNS]   (10)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows >/dev/null
build=$PWD/build/windows out=$PWD/build/bench-msi
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
mkdir -p "$out" && rm -rf "$WINEPREFIX"
setarch -R wineboot -i >/dev/null 2>&1
msi=$build/vantrel-article-converter-1.00-x64.msi
# A later and an older package of the same program, built as the build does.
for version in 1.01 0.99; do
  (cd "$build" && wixl -a x64 -o "$out/$version.msi" -D Version=$version \
    -D "ProductName=Vantrel Article Converter" -D Manufacturer=Vantrel \
    -D Exe=win32/vantrel-article-converter.exe -D Icon=../../win32/program.ico \
    ../../data/vantrel-article-converter.wxs)
done
quiet() { echo "setarch -R wine msiexec $* /qn >/dev/null 2>&1"; }
hyperfine --runs "${1:-10}" --shell=bash -i \
  --prepare "$(quiet /x "$out/1.01.msi"); $(quiet /x "$msi")" -n install "$(quiet /i "$msi")" \
  --prepare "$(quiet /x "$out/1.01.msi"); $(quiet /i "$msi")" -n upgrade "$(quiet /i "$out/1.01.msi")" \
  --prepare "$(quiet /i "$out/1.01.msi")" -n "older refused" "$(quiet /i "$out/0.99.msi")" \
  --prepare "$(quiet /x "$out/1.01.msi"); $(quiet /i "$msi")" -n removal "$(quiet /x "$msi")"
