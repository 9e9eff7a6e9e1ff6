#!/bin/bash
# Load figures of quorvel-service on 127.0.0.1, next to nginx serving the same
# page as a static file:
# - the 99th-percentile latency of a normal client's requests while 300 slow
#   clients each send one byte a second;
# - for 300 and 1,000 concurrent wrk clients, one request per connection:
#   answers a second, connections dropped without an answer, the 99th
#   percentile latency, and the ratio of answers to nginx's.
# Builds optimised binaries in build/bench; takes about 30 seconds. Both
# servers listen on loopback only, live in a temporary folder, are bounded in
# time and are stopped on exit.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh bench
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DQUORVEL_SANITIZE=OFF >/dev/null
cmake --build build/bench --target quorvel-service service_bench -j 2 >/dev/null

# Before the servers start: while measuring, their own load adds to it.
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
readonly path='/index.php?goto=imei&action=analyse&s=490139200000001'
readonly lifetime=120  # seconds either server may run at most
work=$(mktemp -d)
pids=()
stop_servers() {
  [[ ${#pids[@]} -eq 0 ]] || { kill "${pids[@]}" 2>/dev/null || true; wait "${pids[@]}" 2>/dev/null || true; }
  rm -rf "$work"
}
trap stop_servers EXIT

timeout "$lifetime" build/bench/tools/quorvel-service --port 0 >"$work/service.out" &
pids+=($!)
for _ in $(seq 50); do
  grep -q '^listening on' "$work/service.out" && break
  sleep 0.1
done
service_port=$(sed -n 's/^listening on .*:\([0-9]*\)$/\1/p' "$work/service.out")
[[ -n "$service_port" ]] || { echo "quorvel-service did not start" >&2; exit 1; }

# nginx's own files in the temporary folder, which its workers (the user
# nobody when started as root) must be able to read.
chmod 755 "$work"
mkdir "$work/www" "$work/tmp"
curl -sf "http://127.0.0.1:$service_port$path" -o "$work/www/page.html"
nginx_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$work/nginx.conf" <<EOF
# One worker, as the service has one thread.
worker_processes 1;
daemon off;
pid nginx.pid;
error_log error.log;
events { worker_connections 4096; }
http {
  access_log off;
  client_body_temp_path tmp; proxy_temp_path tmp; fastcgi_temp_path tmp;
  uwsgi_temp_path tmp; scgi_temp_path tmp;
  server {
    listen 127.0.0.1:$nginx_port;
    root www;
    location / { default_type text/html; try_files /page.html =404; }
  }
}
EOF
timeout "$lifetime" nginx -p "$work" -c nginx.conf -e error.log &
pids+=($!)
for _ in $(seq 50); do
  curl -sf "http://127.0.0.1:$nginx_port$path" -o /dev/null && break
  sleep 0.1
done
cmp -s <(curl -sf "http://127.0.0.1:$nginx_port$path") "$work/www/page.html" ||
  { echo "nginx did not start:" >&2; cat "$work/error.log" >&2; exit 1; }

timeout 60 build/bench/bench/service_bench "$service_port"

# wrk's summary as "answers/s dropped p99-ms": answers without a 2xx or 3xx
# status and connections that ended without a whole answer count as dropped.
load() {
  wrk -t2 -c "$1" -d4s -H "Connection: close" --latency "http://127.0.0.1:$2$path" | awk '
    function ms(t) {
      if (t ~ /us$/) return t / 1000
      if (t ~ /ms$/) return t + 0
      if (t ~ /s$/) return t * 1000
      return t * 60000
    }
    /^ +99%/ { p99 = ms($2) }
    /requests in/ { requests = $1 }
    /Socket errors/ { gsub(/,/, ""); dropped += $4 + $6 + $8 + $10 }
    /Non-2xx or 3xx/ { bad = $5; dropped += bad }
    /Requests\/sec/ { rate = $2 }
    END { printf "%.0f %d %.1f\n", requests ? rate * (requests - bad) / requests : 0, dropped, p99 }'
}

echo
echo "wrk -t2 -c N -d4s -H 'Connection: close', one page per connection:"
printf '%8s | %-34s | %-34s | %s\n' "" "quorvel-service" "nginx (one worker)" "answers"
printf '%8s | %11s %9s %12s | %11s %9s %12s | %s\n' clients answers/s dropped "p99" \
  answers/s dropped "p99" "vs nginx"
for clients in 300 1000; do
  read -r service_rate service_dropped service_p99 < <(load "$clients" "$service_port")
  read -r nginx_rate nginx_dropped nginx_p99 < <(load "$clients" "$nginx_port")
  printf '%8s | %11s %9s %9s ms | %11s %9s %9s ms | %.2fx\n' "$clients" \
    "$service_rate" "$service_dropped" "$service_p99" "$nginx_rate" "$nginx_dropped" "$nginx_p99" \
    "$(awk -v a="$service_rate" -v b="$nginx_rate" 'BEGIN { print a / b }')"
done
echo "targets: none dropped; at 1000 clients at least 0.8x nginx's answers a second"
echo "load average before measuring: $load_before"
