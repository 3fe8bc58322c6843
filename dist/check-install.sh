#!/usr/bin/env bash
# Installs a built tree into a temporary prefix and checks what a user gets there:
#   check-install.sh BUILD_DIR INSTALLED_FILES VERSION
# every listed file, the sample logs of the build, a valid desktop entry and metadata, readable
# manual pages, and programs that run from the prefix without anything of the build folder.
set -euo pipefail

build=$(cd "$1" && pwd)
manifest=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0

fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" --strip >/dev/null

while IFS= read -r file; do
  [ -n "$file" ] || continue
  [ -s "$prefix/$file" ] || fail "$file is missing or empty"
done <"$manifest"

diff -rq "$build/bin/samples" "$prefix/share/korvex/samples" >/dev/null ||
  fail "the installed sample logs differ from the build's"

# The desktop's own tools read the entry, the metadata and the icons as installed.
desktop=$(find "$prefix/share/applications" -name '*.desktop')
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in scalable/apps/$icon.svg 48x48/apps/$icon.png 256x256/apps/$icon.png; do
  [ -s "$prefix/share/icons/hicolor/$size" ] || fail "no icon $size for Icon=$icon"
done
for png in 48 256; do
  dims=$(file -b "$prefix/share/icons/hicolor/${png}x${png}/apps/$icon.png")
  [[ "$dims" == *"$png x $png"* ]] || fail "the $png px icon is $dims"
done
out=$(appstreamcli validate --no-net "$prefix/share/metainfo/"*.metainfo.xml 2>&1) ||
  fail "appstreamcli: $out"

for page in korvex korvex-report korvex-samplegen; do
  found=$(MANPATH="$prefix/share/man" man -w "$page" 2>/dev/null) || found=""
  [ "$found" = "$prefix/share/man/man1/$page.1.gz" ] || fail "man -w $page gives '$found'"
  warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man page $page: $warnings"
done

# Nothing below the prefix may point into the build folder (no run path, no data path).
leaks=$(grep -rlF "$build" "$prefix" || true)
[ -z "$leaks" ] || fail "files refer to the build folder: $leaks"

# The installed programs run from a neutral folder with a clean environment.
run() {
  (cd "$work" && env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
    LC_ALL="${LC_ALL:-C.UTF-8}" QT_QPA_PLATFORM=offscreen "$@")
}
# The manual page and --help name the same options of korvex-report.
man_options=$(zcat "$prefix/share/man/man1/korvex-report.1.gz" | grep -o '\\-\\-[a-z]*' |
  sed 's/\\-\\-/--/' | sort -u)
help_options=$(run "$prefix/bin/korvex-report" --help | grep -o -- '--[a-z]*' | sort -u)
[ -n "$help_options" ] && [ "$man_options" = "$help_options" ] ||
  fail "man korvex-report and --help name other options: $(diff <(echo "$man_options") <(echo "$help_options") | grep '^[<>]' | tr '\n' ' ')"
for program in korvex korvex-report korvex-samplegen; do
  got=$(run "$prefix/bin/$program" --version 2>&1) || fail "$program --version failed"
  [ "$got" = "$program $version" ] || fail "$program --version prints '$got'"
done
installed=$(run "$prefix/bin/korvex-report" "$prefix/share/korvex/samples" --table monthly) ||
  fail "the installed korvex-report failed on the installed samples"
built=$("$build/bin/korvex-report" "$build/bin/samples" --table monthly)
[ "$installed" = "$built" ] || fail "the installed korvex-report prints another table"
run "$prefix/bin/korvex-report" "$prefix/share/korvex/samples" --picture "$work/day.jpg" \
  --span day --at 2024-06-12 >/dev/null || fail "the installed korvex-report saved no picture"
[[ "$(file -b "$work/day.jpg" 2>/dev/null)" == JPEG* ]] || fail "no JPEG picture from the prefix"
run "$prefix/bin/korvex-samplegen" "$work/logs" 2024-02-28 2024-03-01 --devices 10 >/dev/null ||
  fail "the installed korvex-samplegen failed"
[ "$(ls "$work/logs" | wc -l)" -eq 3 ] || fail "korvex-samplegen wrote $(ls "$work/logs" | wc -l) files"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of the installed tree failed" >&2
  exit 1
fi
echo "installed tree complete: $(find "$prefix" -type f | wc -l) files"
