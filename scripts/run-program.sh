#!/bin/bash
# Starts Quorvel.exe under Wine, with quorvel-service beside it on
# 127.0.0.1:8047, the program's default service host, so that the on-line
# look-up answers: run-program.sh EXE SERVICE SCREENSHOT
# The service is stopped when the program has closed. When the port is taken
# already (another service there), the program uses that one. On the user's
# display when there is one; otherwise under Xvfb for a few seconds, leaving
# a screenshot of the screen in SCREENSHOT.
set -u
exe=$(realpath "$1")
service=$(realpath "$2")
shot=$(realpath -m "$3")
here=$(dirname "$0")
log=$(mktemp)
"$service" --port 8047 </dev/null >"$log" 2>&1 &
service_pid=$!
trap 'kill "$service_pid" 2>/dev/null; wait "$service_pid" 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 100); do
  grep -q '^listening on ' "$log" && break
  if ! kill -0 "$service_pid" 2>/dev/null; then
    echo "run-program: quorvel-service did not start: $(cat "$log")" >&2
    break
  fi
  sleep 0.05
done
if [[ -n "${DISPLAY:-}" ]]; then
  wine "$exe"
  exit
fi
# Wine runs the program on the virtual display, a screenshot is taken after
# it has painted, then the program is closed.
xvfb-run -a -s "-screen 0 800x600x24" "$here/wine-session.sh" bash -c '
  wine "$1" </dev/null >/dev/null 2>&1 &
  sleep "${QUORVEL_RUN_SECONDS:-5}"
  import -window root "$2" && echo "screenshot: $2"
' run-program "$exe" "$shot"
