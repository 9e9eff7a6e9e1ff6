#!/bin/bash
# Writes PNG screenshots of Quorvel with Vietnamese captions, for a person to
# look at: screenshots.sh EXE OUTDIR
#   OUTDIR/screenshot-main-vi.png   the main window
# The program runs from a copy in OUTDIR/screenshot-program with LanguageID
# "0", on a private Xvfb display (there is no window manager, so the window
# sits in the top left corner); each picture is the screen with the empty
# black background trimmed off.
set -eu
exe=$(realpath "$1")
out=$(realpath -m "$2")
program="$out/screenshot-program"
mkdir -p "$program"
cp "$exe" "$program/Quorvel.exe"
printf '[Settings]\r\nLanguageID=0\r\n' >"$program/quorvel.ini"

here=$(dirname "$0")
xvfb-run -a -s "-screen 0 800x600x24" "$here/wine-session.sh" bash -c '
  shoot() {
    import -window root -trim +repage "$2/$1" && echo "screenshot: $2/$1"
  }
  wine "$1/Quorvel.exe" </dev/null >/dev/null 2>&1 &
  sleep "${QUORVEL_RUN_SECONDS:-5}"
  shoot screenshot-main-vi.png "$2"
' screenshots "$program" "$out"
