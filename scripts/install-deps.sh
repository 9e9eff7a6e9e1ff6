#!/usr/bin/env bash
# Installs, with apt-get, what building and testing Quorvel needs; does nothing
# when everything is already there. Needs root (or sudo) on Debian 12.
set -euo pipefail

packages=(cmake make g++ googletest g++-mingw-w64-i686 xvfb xauth imagemagick xdotool
  file wine wine32:i386 fonts-wine tinyproxy curl fonts-dejavu-extra python3 python3-pil
  python3-freetype)

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
