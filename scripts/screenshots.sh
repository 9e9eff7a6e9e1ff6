#!/bin/bash
# Writes PNG screenshots of Quorvel for a person to look at:
#   screenshots.sh WINBUILD OUTDIR
# WINBUILD is the Windows build folder (win32, or win64 where 32-bit programs
# cannot run) (the program in bin/, the demos in
# demos/). In OUTDIR, for vi (Vietnamese) and en (English):
#   screenshot-main-LANG.png      the main window as it opens
#   screenshot-analysis-LANG.png  the main window after analysing an IMEI
#   screenshot-options-LANG.png   the options dialog over the main window
#   message-boxes-LANG.png        every message box of the program
# and message-box.png (a Vietnamese question), screenshot-about.png with
# screenshot-about-button.png (the About message, the caption button 8 times
# larger) and screenshot-save-vi.png (the Vietnamese Save As dialog).
# Needs the Wine environment (WINEPREFIX and the rest, as the Makefile sets).
set -u
build=$(realpath "$1")
out=$(realpath -m "$2")
here=$(dirname "$(realpath "$0")")
status=0
for language in 0 1; do
  name=vi
  [[ $language == 1 ]] && name=en
  "$here/screenshot-program.sh" "$build/bin/Quorvel.exe" "$out/screenshot-main-$name.png" \
    "$language" || status=1
  "$here/screenshot-program.sh" "$build/bin/Quorvel.exe" "$out/screenshot-analysis-$name.png" \
    "$language" 352099001761481 || status=1
done
# The demos show their window and wait for the shot; one display and one
# wineserver serve them all.
"$here/with-display.sh" "$here/wine-session.sh" bash -c '
  status=0
  for language in 0 1; do
    name=vi
    [[ $language == 1 ]] && name=en
    "$1/screenshot-options.sh" "$2/quorvel_options_dialog_demo.exe" \
      "$3/screenshot-options-$name.png" "$language" || status=1
    "$1/screenshot-message-boxes.sh" "$2/quorvel_message_box_demo.exe" "$language" \
      "$3/message-boxes-$name.png" || status=1
  done
  "$1/screenshot-message-box.sh" "$2/quorvel_message_box_demo.exe" \
    "$3/message-box.png" || status=1
  "$1/screenshot-about.sh" "$2/quorvel_about_demo.exe" "$3" || status=1
  "$1/screenshot-save-vi.sh" "$2/quorvel_save_dialog_demo.exe" \
    "$3/screenshot-save-vi.png" || status=1
  exit $status
' screenshots "$here" "$build/demos" "$out" || status=1
exit $status
