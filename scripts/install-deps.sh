#!/usr/bin/env bash
# Installs, with apt-get, what building and testing Quorvel needs; does nothing
# when everything is already there. Needs root (or sudo) on Debian 12.
#   install-deps.sh [GROUP...]   native, windows, win32, win64, dist, bench, deb
#                                or deb-check; none: native, windows and bench
# windows is the Windows build that this machine runs (scripts/wine-bits.sh):
# win32, or win64 where it cannot run 32-bit programs.
set -euo pipefail
here=$(dirname "$(realpath "$0")")

# Every configuration runs CMake, and Python for its generated files.
common=(cmake make python3)
# The native build and its tests: the JSON library of quorvel-cli, the
# display font builder's Python modules and font, tinyproxy for the proxy
# tests, clang-format and git for the format check, groff for the manual
# pages' check.
native=(g++ googletest nlohmann-json3-dev tinyproxy fonts-dejavu-extra python3-pil python3-freetype
  clang-format git groff-base)
# The Windows package: the 32-bit program, cross-compiled (GoogleTest
# because the configuration reads it).
dist=(g++-mingw-w64-i686 googletest)
# A Windows build and its tests under Wine on a virtual display, 32-bit or
# 64-bit; the 64-bit path also builds the package's 32-bit program.
wine_tests=(googletest file fonts-wine xvfb xauth imagemagick xdotool tinyproxy)
win32=(g++-mingw-w64-i686 wine wine32:i386 "${wine_tests[@]}")
win64=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 "${wine_tests[@]}")
# The Debian package: built with dpkg-buildpackage and debhelper from the
# tree's files (git lists them), checked with lintian; the check installs it
# into a clean Debian that debootstrap makes.
deb=(g++ nlohmann-json3-dev git debhelper dpkg-dev lintian)
deb_check=(debootstrap)
# The optimised tools and the benchmarks: the download benchmark compares with
# curl, the service benchmark loads it with wrk next to nginx (GoogleTest
# because the configuration reads it).
bench=(g++ googletest nlohmann-json3-dev curl wrk nginx)

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

# Installs the packages not yet installed, adding the i386 architecture first
# when one of them needs it.
install() {
  local missing=() p status
  for p in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  echo "install-deps: installing ${missing[*]}" >&2
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

groups=("$@")
[[ ${#groups[@]} -gt 0 ]] || groups=(native windows bench)
packages=("${common[@]}")
for group in "${groups[@]}"; do
  if [[ "$group" == windows ]]; then
    # The i386 loader is the 32-bit program that tells whether this machine
    # runs them; not needed when the width is forced.
    [[ -n "${QUORVEL_WINE_BITS:-}" ]] || install libc6:i386
    # Quiet here: the build says which width it runs; a forced width that
    # cannot run says why.
    group=win$("$here/wine-bits.sh" 2>/dev/null) || { "$here/wine-bits.sh" >/dev/null; exit 1; }
  fi
  case "$group" in
    native) packages+=("${native[@]}") ;;
    win32) packages+=("${win32[@]}") ;;
    win64) packages+=("${win64[@]}") ;;
    dist) packages+=("${dist[@]}") ;;
    bench) packages+=("${bench[@]}") ;;
    deb) packages+=("${deb[@]}") ;;
    deb-check) packages+=("${deb_check[@]}") ;;
    *) echo "install-deps: unknown group $group (native, windows, win32, win64, dist, bench, deb or deb-check)" >&2; exit 2 ;;
  esac
done
install "${packages[@]}"
