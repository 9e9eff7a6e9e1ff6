#!/bin/bash
# Writes a screenshot of the Vietnamese Save As dialog:
#   screenshot-save-vi.sh save_dialog_demo.exe SHOT.png
# Needs a display (DISPLAY, e.g. from with-display.sh). The demo signals
# through files as the message box demo does, so the shot is taken the same way.
exec "$(dirname "$(realpath "$0")")/screenshot-message-box.sh" "$@"
