#!/bin/bash
# Starts and stops the real HTTP proxy (tinyproxy) of the tests:
#   tinyproxy-fixture.sh start DIR   listens on a free port of 127.0.0.1 and
#                                    writes the port to DIR/port
#   tinyproxy-fixture.sh stop DIR    ends it
# It runs as a plain process with its configuration, output and pid in DIR.
set -euo pipefail
dir=$2
if [[ $1 == stop ]]; then
  kill "$(cat "$dir/pid")" 2>/dev/null || true
  exit 0
fi
rm -rf "$dir" && mkdir -p "$dir"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
printf 'Port %s\nListen 127.0.0.1\nAllow 127.0.0.1\n' "$port" >"$dir/tinyproxy.conf"
# In the foreground (-d) so that its pid is the one started here; its output
# goes to a file so that no test runner waits on a pipe it holds.
tinyproxy -d -c "$dir/tinyproxy.conf" </dev/null >"$dir/tinyproxy.out" 2>&1 &
echo $! >"$dir/pid"
for _ in $(seq 100); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && echo "$port" >"$dir/port" && exit 0
  sleep 0.05
done
echo "tinyproxy did not start: $(cat "$dir/tinyproxy.out")" >&2
exit 1
