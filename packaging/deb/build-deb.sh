#!/usr/bin/env bash
# Builds the Debian package of quorvel-cli and quorvel-service,
# build/deb/quorvel_VERSION_ARCH.deb, with dpkg-buildpackage from a copy of
# the tree, then checks it: its files and their modes are those of
# packaging/deb/contents.txt, and lintian finds no error. Prints the
# package's sha256.
#
# The same sources give the same bytes, in any checkout: the copy's files and
# the changelog are dated with the last commit, dpkg and debhelper take
# every later time stamp back to that date (SOURCE_DATE_EPOCH), and the
# compilers leave out the folder the copy is built in.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
root=$(realpath "$here/../..")
out=$root/build/deb
version=$(cmake -P "$root/cmake/version.cmake")
source_dir=$out/src/quorvel-$version
export LC_ALL=C.UTF-8 TZ=UTC

# A License paragraph of the copyright file: the name, then the lines of the
# file from the first that matches start, indented by one space, an empty
# line written as " ." and the empty lines at the end left out.
license_paragraph() {
  local name=$1 file=$2 start=$3
  printf '\nLicense: %s\n' "$name"
  awk -v start="$start" '
    !on && $0 ~ start { on = 1 }
    !on { next }
    /^$/ { blanks++; next }
    { while (blanks) { print " ."; blanks-- } print " " $0 }' "$file"
}

commit_time=$(git -C "$root" log -1 --format=%ct)
rm -rf "$out/src"
mkdir -p "$source_dir"
# The tree as it is: tracked files and new ones that git does not ignore.
git -C "$root" ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' file; do [[ -e "$root/$file" ]] && printf '%s\0' "$file"; done |
  tar -C "$root" --null -T - -cf - | tar -C "$source_dir" -xf -
# Every file dated with the commit, not with its checkout: an installed file
# keeps its source's time unless that is later than the commit's.
find "$source_dir" -exec touch -h -d "@$commit_time" {} +
cp -r "$here/debian" "$source_dir/debian"
{
  cat "$here/copyright"
  license_paragraph Expat "$root/LICENSE" '^Permission'
  license_paragraph CC-BY-SA-3.0 "$here/CC-BY-SA-3.0.txt" '^Creative Commons Legal Code'
  license_paragraph Bitstream-Vera "$root/tools/display-font/LICENSE" '^Permission'
} > "$source_dir/debian/copyright"
cat > "$source_dir/debian/changelog" <<EOF
quorvel ($version) unstable; urgency=medium

  * Quorvel $version, as its version record names it.

 -- Quorvel developers <quorvel@example.org>  $(date -R -d "@$commit_time")
EOF

(cd "$source_dir" && dpkg-buildpackage -b -us -uc -J2) > "$out/build.log" 2>&1 || {
  tail -40 "$out/build.log"
  echo "build-deb: dpkg-buildpackage failed; the whole log is in $out/build.log" >&2
  exit 1
}
deb=$(ls "$out"/src/quorvel_"$version"_*.deb)
mv "$deb" "$out/"
deb=$out/$(basename "$deb")

# Mode and path of every file, without owners, sizes and dates.
dpkg-deb -c "$deb" | awk '{ print $1, $6 }' > "$out/contents.txt"
if ! diff -u "$here/contents.txt" "$out/contents.txt"; then
  echo "build-deb: the package's files differ from packaging/deb/contents.txt (above)" >&2
  exit 1
fi

lintian_status=0
lintian --fail-on error --display-info --allow-root "$deb" > "$out/lintian.txt" 2>&1 || lintian_status=$?
echo "lintian --display-info $(basename "$deb"): $(wc -l < "$out/lintian.txt") lines"
sed 's/^/  /' "$out/lintian.txt"
[[ $lintian_status -eq 0 ]] || { echo "build-deb: lintian found errors" >&2; exit 1; }
sha256sum "$deb"
