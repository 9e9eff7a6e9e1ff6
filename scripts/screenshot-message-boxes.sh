#!/bin/bash
# Writes one picture of every message box of the program in a language, each
# box cut from its screenshot, one under another:
#   screenshot-message-boxes.sh message_box_demo.exe LANGUAGE SHOT.png
# LANGUAGE is a LanguageID: 0 Vietnamese, 1 English. Needs a display and the
# Wine environment, as screenshot-message-box.sh.
set -u
here=$(dirname "$(realpath "$0")")
exe=$(realpath "$1")
language=$2
shot=$(realpath -m "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
count=$(wine "$exe" count </dev/null 2>/dev/null | tr -d '\r')
if ! [[ "$count" =~ ^[0-9]+$ ]]; then
  echo "screenshot-message-boxes: the demo did not tell how many boxes there are" >&2
  exit 1
fi
status=0
for ((box = 0; box < count; box++)); do
  # Each box is shown alone on the screen: trimming the black around it cuts it out.
  name=$(printf '%s/box-%02d.png' "$work" "$box")
  "$here/screenshot-message-box.sh" "$exe" "$name" "" "$language" "$box" >/dev/null &&
    convert "$name" -trim +repage "$name" || status=1
done
mkdir -p "$(dirname "$shot")"
convert "$work"/box-*.png -bordercolor black -border 6 -append "$shot" &&
  echo "screenshot: $shot" || status=1
exit $status
