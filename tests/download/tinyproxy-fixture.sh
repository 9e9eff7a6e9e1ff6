#!/bin/bash
# Starts and stops the real HTTP proxy (tinyproxy) that the proxy tests use:
#   tinyproxy-fixture.sh start DIR   listens on a free port of 127.0.0.1 and
#                                    writes the port to DIR/port
#   tinyproxy-fixture.sh stop DIR    ends it
# The proxy runs as a plain process with its configuration, log and pid in
# DIR; no system service is involved.
set -euo pipefail
action=$1
dir=$2

accepts() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

case $action in
start)
  rm -rf "$dir"
  mkdir -p "$dir"
  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  cat >"$dir/tinyproxy.conf" <<CONF
Port $port
Listen 127.0.0.1
Timeout 10
MaxClients 20
Allow 127.0.0.1
LogFile "$dir/tinyproxy.log"
LogLevel Connect
CONF
  # In the foreground (-d) so that its pid is the one started here; its
  # output goes to a file so that no test runner waits on a pipe it holds.
  tinyproxy -d -c "$dir/tinyproxy.conf" </dev/null >"$dir/tinyproxy.out" 2>&1 &
  echo $! >"$dir/pid"
  for _ in $(seq 100); do
    if accepts "$port"; then
      echo "$port" >"$dir/port"
      exit 0
    fi
    sleep 0.05
  done
  echo "tinyproxy did not start:" >&2
  cat "$dir/tinyproxy.out" >&2
  exit 1
  ;;
stop)
  if [[ -f "$dir/pid" ]]; then
    kill "$(cat "$dir/pid")" 2>/dev/null || true
    rm -f "$dir/pid" "$dir/port"
  fi
  ;;
*)
  echo "usage: $0 start|stop DIR" >&2
  exit 2
  ;;
esac
