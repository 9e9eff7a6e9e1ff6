#!/usr/bin/env bash
# Installs the Debian package of build/deb into a clean Debian 12 and runs
# the installed tools there, as a user of that system would. The clean system
# (debootstrap's minbase of bookworm, from Debian's mirror) is made once and
# kept in build/deb-check/bookworm; each run installs into a fresh copy of it.
# Needs root, for debootstrap and chroot.
#   deb-check.sh [MIRROR]    default: http://deb.debian.org/debian
set -euo pipefail
here=$(dirname "$(realpath "$0")")
root=$(realpath "$here/../..")
mirror=${1:-http://deb.debian.org/debian}
version=$(cmake -P "$root/cmake/version.cmake")
deb=$(ls "$root"/build/deb/quorvel_"$version"_*.deb 2>/dev/null) ||
  { echo "deb-check: no package of $version in build/deb: make deb first" >&2; exit 1; }
work=$root/build/deb-check
clean=$work/bookworm
system=$work/system

if [[ ! -e $clean/.quorvel-complete ]]; then
  echo "deb-check: making a clean Debian 12 in $clean (once)"
  rm -rf "$clean"
  mkdir -p "$work"
  debootstrap --variant=minbase bookworm "$clean" "$mirror" > "$work/debootstrap.log" 2>&1 || {
    tail -20 "$work/debootstrap.log"
    echo "deb-check: debootstrap failed; its log is $work/debootstrap.log" >&2
    exit 1
  }
  touch "$clean/.quorvel-complete"
fi
rm -rf "$system"
cp -a "$clean" "$system"
cp "$deb" "$system/tmp/"

# The commands run inside, each shown before its output.
run() {
  echo "\$ $*"
  chroot "$system" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 "$@"
}
run dpkg -i "/tmp/$(basename "$deb")"
run quorvel-cli --version
run quorvel-service --version
run quorvel-cli 490154203237518
# Installed, not enabled: no link to the unit among the wanted ones.
unit=$system/lib/systemd/system/quorvel-service.service
[[ -f $unit ]] || { echo "deb-check: the unit is not installed" >&2; exit 1; }
if compgen -G "$system/etc/systemd/system/*.wants/quorvel-service.service" > /dev/null; then
  echo "deb-check: the unit was enabled on installation" >&2
  exit 1
fi
echo "deb-check: $(basename "$deb") installs and runs in a clean Debian 12; its unit is not enabled"
rm -rf "$system"
