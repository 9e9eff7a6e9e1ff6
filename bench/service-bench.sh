#!/bin/bash
# Load figures of quorvel-service on 127.0.0.1: the 99th-percentile latency of
# a normal client's requests while 300 slow clients each send one byte a
# second, and the requests answered per second for 200 parallel clients.
# Builds optimised binaries in build/bench; takes about 10 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DQUORVEL_SANITIZE=OFF >/dev/null
cmake --build build/bench --target quorvel-service service_bench -j 2 >/dev/null

output=$(mktemp)
build/bench/tools/quorvel-service --port 0 >"$output" &
service=$!
trap 'kill $service 2>/dev/null; wait $service 2>/dev/null; rm -f "$output"' EXIT
for _ in $(seq 50); do
    grep -q '^listening on' "$output" && break
    sleep 0.1
done
port=$(sed -n 's/^listening on .*:\([0-9]*\)$/\1/p' "$output")
[ -n "$port" ] || { echo "quorvel-service did not start" >&2; exit 1; }
timeout 60 build/bench/bench/service_bench "$port"
