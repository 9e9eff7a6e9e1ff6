#!/bin/bash
# Starts and stops quorvel-service for the end-to-end tests:
#   service-fixture.sh start DIR SERVICE [OPTIONS...]   listens on a free port
#       of 127.0.0.1 and writes the port to DIR/port
#   service-fixture.sh stop DIR                          ends it
set -euo pipefail
action=$1
dir=$2
case $action in
start)
  service=$3
  shift 3
  rm -rf "$dir"
  mkdir -p "$dir"
  # Output to a file, so that no test runner waits on a pipe it holds.
  "$service" --port 0 "$@" </dev/null >"$dir/out" 2>&1 &
  echo $! >"$dir/pid"
  for _ in $(seq 100); do
    if line=$(grep -m1 '^listening on ' "$dir/out" 2>/dev/null); then
      echo "${line##*:}" >"$dir/port"
      exit 0
    fi
    kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
    sleep 0.05
  done
  echo "quorvel-service did not start:" >&2
  cat "$dir/out" >&2
  exit 1
  ;;
stop)
  if [[ -f "$dir/pid" ]]; then
    kill "$(cat "$dir/pid")" 2>/dev/null || true
    rm -f "$dir/pid" "$dir/port"
  fi
  ;;
*)
  echo "usage: $0 start DIR SERVICE [OPTIONS...] | stop DIR" >&2
  exit 2
  ;;
esac
