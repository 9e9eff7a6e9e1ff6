#!/bin/bash
# Writes a screenshot of the About message, opened by a mouse click on the
# main window's caption button, and a zoomed picture of that button:
#   screenshot-about.sh about_demo.exe OUTDIR
#   OUTDIR/screenshot-about.png         the main window with the About message
#   OUTDIR/screenshot-about-button.png  the caption bar's right end, 8 times larger
# Needs a display (DISPLAY, e.g. from with-display.sh).
set -u
here=$(dirname "$(realpath "$0")")
out=$(realpath -m "$2")
"$here/screenshot-message-box.sh" "$1" "$out/screenshot-about.png" \
  "$out/screenshot-about-button.png" || exit 1
# The empty black screen around the window is trimmed off.
convert "$out/screenshot-about.png" -trim +repage "$out/screenshot-about.png"
