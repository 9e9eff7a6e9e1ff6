#!/bin/bash
# Writes a screenshot of the options dialog over the main window:
#   screenshot-options.sh options_dialog_demo.exe SHOT.png [LANGUAGEID]
# LANGUAGEID "0" (the default) shows Vietnamese, "1" English. Needs a display
# (DISPLAY, e.g. from with-display.sh). The demo runs from a copy in a
# temporary folder whose settings file holds LANGUAGEID; the screenshot
# handshake is that of the message box demo.
set -u
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/options_dialog_demo.exe"
printf '[Settings]\r\nLanguageID=%s\r\n' "${3:-0}" >"$work/quorvel.ini"
"$here/screenshot-message-box.sh" "$work/options_dialog_demo.exe" "$2"
