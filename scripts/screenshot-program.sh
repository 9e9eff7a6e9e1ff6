#!/bin/bash
# Writes a screenshot of Quorvel's main window:
#   screenshot-program.sh EXE SHOT.png LANGUAGEID [IMEI]
# The program runs from a copy in a temporary folder whose settings file holds
# LANGUAGEID ("0" Vietnamese, "1" English), on a private Xvfb display with its
# own wineserver, which ends it after the shot. With an IMEI, that is typed
# into the window with xdotool and analysed before the shot. The picture is
# the screen with the empty background trimmed off (there is no window
# manager: the window sits in the top left corner).
set -eu
exe=$(realpath "$1")
shot=$(realpath -m "$2")
language=$3
imei=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/Quorvel.exe"
printf '[Settings]\r\nLanguageID=%s\r\n' "$language" >"$work/quorvel.ini"
mkdir -p "$(dirname "$shot")"
here=$(dirname "$0")
xvfb-run -a -s "-screen 0 800x600x24" "$here/wine-session.sh" bash -c '
  wine "$1/Quorvel.exe" </dev/null >/dev/null 2>&1 &
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --name "^Q u o r v e l $" 2>/dev/null | head -1) && [[ -n "$window" ]] && break
    sleep 0.1
  done
  [[ -n "$window" ]] || { echo "screenshot-program: the window did not open" >&2; exit 1; }
  sleep 1
  if [[ -n "$3" ]]; then
    xdotool windowfocus --sync "$window" type --delay 30 "$3"
    xdotool key --window "$window" Return
    sleep 1
  fi
  import -window root -trim +repage "$2" && echo "screenshot: $2"
' screenshot-program "$work" "$shot" "$imei"
