#!/usr/bin/env bash
# Makes win32/program.ico from the program's PNG icons (ImageMagick), so that
# building on Windows needs no image tools. Run it after the PNGs change.
set -euo pipefail
cd "$(dirname "$0")/.."
icons=data/icons/hicolor
/usr/bin/convert "$icons"/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/org.vantrel.ArticleConverter.png \
  win32/program.ico
