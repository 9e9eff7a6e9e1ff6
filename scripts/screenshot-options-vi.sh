#!/bin/bash
# Writes a screenshot of the options dialog in Vietnamese over the main window:
#   screenshot-options-vi.sh WINEPREFIX options_dialog_demo.exe SHOT.png
# Needs a display (DISPLAY, e.g. from with-display.sh). The demo runs from a
# copy in a temporary folder whose settings file selects Vietnamese; the
# screenshot handshake is that of the message box demo.
set -u
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2" "$work/options_dialog_demo.exe"
printf '[Settings]\r\nLanguageID=0\r\n' >"$work/quorvel.ini"
"$here/screenshot-message-box.sh" "$1" "$work/options_dialog_demo.exe" "$3"
