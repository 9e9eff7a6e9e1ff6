#!/bin/bash
# Times the download class over the POSIX transport fetching a 10 MB body
# from a loopback server, next to curl fetching the same body from the same
# server, and prints the ratio. Builds an optimised binary in build/bench.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DQUORVEL_SANITIZE=OFF >/dev/null
cmake --build build/bench --target download_bench -j 2 >/dev/null
build/bench/bench/download_bench
