#!/bin/sh
# A manual page that groff formats without a single warning and that names
# every option its program's --help lists (the page writes each hyphen as \-).
#   check_man_page.sh PAGE PROGRAM
set -eu
warnings=$(groff -ww -man -z "$1" 2>&1)
[ -z "$warnings" ] || { printf '%s: groff warns:\n%s\n' "$1" "$warnings"; exit 1; }
status=0
for option in $("$2" --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -qF -- "$(echo "$option" | sed 's/-/\\-/g')" "$1" || { echo "$1 does not name $option"; status=1; }
done
exit $status
