#!/usr/bin/env bash
# Installs, with apt-get, what building and testing Quorvel needs; does nothing
# when everything is already there. Needs root (or sudo) on Debian 12.
#   install-deps.sh [GROUP...]   native, win32 or bench; none: all three
set -euo pipefail

# Every configuration runs CMake, and Python for its generated files.
common=(cmake make python3)
# The native build and its tests: the display font builder's Python modules
# and font, tinyproxy for the proxy tests, clang-format and git for the
# format check.
native=(g++ googletest tinyproxy fonts-dejavu-extra python3-pil python3-freetype clang-format git)
# The Windows build and its tests under Wine on a virtual display.
win32=(g++-mingw-w64-i686 googletest file wine wine32:i386 fonts-wine xvfb xauth imagemagick
  xdotool tinyproxy)
# The optimised tools and the download benchmark, which compares with curl
# (GoogleTest because the configuration reads it).
bench=(g++ googletest curl)

groups=("$@")
[[ ${#groups[@]} -gt 0 ]] || groups=(native win32 bench)
packages=("${common[@]}")
for group in "${groups[@]}"; do
  case "$group" in
    native) packages+=("${native[@]}") ;;
    win32) packages+=("${win32[@]}") ;;
    bench) packages+=("${bench[@]}") ;;
    *) echo "install-deps: unknown group $group (native, win32 or bench)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
echo "install-deps: installing ${missing[*]}" >&2
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
