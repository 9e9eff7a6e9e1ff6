#!/bin/bash
# Writes a screenshot of the main window in English after analysing a known
# IMEI: screenshot-analysis.sh EXE SHOT.png [IMEI]
# The IMEI is typed into the window with xdotool on a private Xvfb display.
set -eu
exe=$(realpath "$1")
shot=$(realpath -m "$2")
imei=${3:-352099001761481}
program="$(dirname "$shot")/screenshot-analysis-program"
mkdir -p "$program"
cp "$exe" "$program/Quorvel.exe"
printf '[Settings]\r\nLanguageID=1\r\n' >"$program/quorvel.ini"

here=$(dirname "$0")
xvfb-run -a -s "-screen 0 800x600x24" "$here/wine-session.sh" bash -c '
  wine "$1/Quorvel.exe" </dev/null >/dev/null 2>&1 &
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --name "^Q u o r v e l $" 2>/dev/null | head -1) && [[ -n "$window" ]] && break
    sleep 0.1
  done
  [[ -n "$window" ]] || { echo "screenshot-analysis: the window did not open" >&2; exit 1; }
  sleep 1
  xdotool windowfocus --sync "$window" type --delay 30 "$3"
  xdotool key --window "$window" Return
  sleep 1
  import -window root -trim +repage "$2" && echo "screenshot: $2"
' screenshot-analysis "$program" "$shot" "$imei"
