#!/usr/bin/env bash
# Checks a built Debian package against its build's install tree:
#   check-package.sh DEB BUILD_DIR INSTALLED_FILES VERSION
# Every file the install rules write must be in the package and nothing else; the listed files
# must be among them; dependencies come from the programs; there are no maintainer scripts.
set -euo pipefail

deb=$1
build=$2
manifest=$3
version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
problems=()

DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >/dev/null
(cd "$work/stage" && find . ! -type d | sed 's|^\.||' | LC_ALL=C sort) >"$work/install.list"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\.||' | LC_ALL=C sort \
  >"$work/package.list"

missing=$(LC_ALL=C comm -23 "$work/install.list" "$work/package.list")
extra=$(LC_ALL=C comm -13 "$work/install.list" "$work/package.list")
[ -z "$missing" ] || problems+=("files of the install tree missing from the package:"$'\n'"$missing")
[ -z "$extra" ] || problems+=("files in the package that the install tree lacks:"$'\n'"$extra")
while IFS= read -r file; do
  [ -n "$file" ] || continue
  grep -qxF "/usr/$file" "$work/package.list" || problems+=("no /usr/$file in the package")
done <"$manifest"
[ "$(wc -l <"$work/package.list")" -gt 0 ] || problems+=("the package holds no files")

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
  problems+=("package version $(dpkg-deb -f "$deb" Version), project version $version")
depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6widgets6 libqcustomplot qt6-translations-l10n; do
  [[ "$depends" == *"$need"* ]] || problems+=("Depends lacks $need: $depends")
done
scripts=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'inst$|rm$|config$' || true)
[ -z "$scripts" ] || problems+=("maintainer scripts in the package: $scripts")

if [ ${#problems[@]} -ne 0 ]; then
  {
    echo "=================================================================="
    echo "PACKAGE INCOMPLETE: $deb"
    printf -- '- %s\n' "${problems[@]}"
    echo "=================================================================="
  } >&2
  exit 1
fi
echo "$deb: $(wc -l <"$work/package.list") files, version $version"
echo "Depends: $depends"
