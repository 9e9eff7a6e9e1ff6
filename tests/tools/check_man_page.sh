#!/bin/sh
# A manual page that groff formats without a single warning and that names
# every option its program's --help lists.
#   check_man_page.sh PAGE PROGRAM
set -eu
page=$1
program=$2
warnings=$(groff -ww -man -z "$page" 2>&1)
if [ -n "$warnings" ]; then
  echo "$page: groff warns:"
  echo "$warnings"
  exit 1
fi
status=0
for option in $("$program" --help | grep -o -- '--[a-z-]*' | sort -u); do
  # The page writes each hyphen as \-.
  if ! grep -qF -- "$(echo "$option" | sed 's/-/\\-/g')" "$page"; then
    echo "$page does not name $option"
    status=1
  fi
done
exit $status
