#!/bin/bash
# Writes a screenshot of the message box that a demo program shows:
#   screenshot-message-box.sh message_box_demo.exe SHOT.png [ZOOM.png [ARGS...]]
# With ZOOM.png (not empty), the demo writes "x y width height" into its READY
# file, and that area of the screen is also written 8 times larger to
# ZOOM.png. ARGS go to the demo after its two file names.
# Needs a display (DISPLAY, e.g. from with-display.sh) and the Wine
# environment (wine-env.sh). The demo program
# signals through files when its box is on screen and waits for the shot;
# any demo that keeps to that handshake can be shot the same way.
set -u
here=$(dirname "$(realpath "$0")")
exe=$(realpath "$1")
shot=$(realpath -m "$2")
zoom=${3:+$(realpath -m "$3")}
if [[ -z "${DISPLAY:-}" ]]; then
  echo "screenshot-message-box: no display" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
wine "$exe" ready taken "${@:4}" </dev/null >/dev/null 2>&1 &
demo=$!
for _ in $(seq 300); do
  [[ -e ready ]] && break
  kill -0 "$demo" 2>/dev/null || break
  sleep 0.1
done
status=0
if [[ -e ready ]]; then
  mkdir -p "$(dirname "$shot")"
  import -window root "$shot" && echo "screenshot: $shot" || status=1
  if [[ -n "$zoom" ]]; then
    read -r x y width height <ready
    convert "$shot" -crop "${width}x${height}+${x}+${y}" +repage -scale 800% "$zoom" &&
      echo "screenshot: $zoom" || status=1
  fi
else
  echo "screenshot-message-box: the demo's dialog did not appear" >&2
  status=1
fi
touch taken
wait "$demo" || status=1
exit $status
