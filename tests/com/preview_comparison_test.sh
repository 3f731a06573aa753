#!/usr/bin/env bash
# The Windows previewer against the Linux one on the example files in en-GB: the JSON of each
# must be the same, byte for byte, as must the exit status; once with the component created
# through the registry, once loaded with --dll. The platform's conversions differ from the
# portable ones only where the locale comparison tests list it (de-DE's short date, a point as a
# time separator, "0/1", grouping characters after the decimal one), and the examples meet none
# of those in en-GB, so any difference is a fault. The same again on a file whose name and
# contents are not ASCII.
# Usage: preview_comparison_test.sh <wine> <winepath loader> <bz-preview.exe> <Linux bz-preview>
#          <DLL> <source dir>
set -euo pipefail
wine=$1 winepath_loader=$2 windows=$3 linux=$4
dll=$("$winepath_loader" winepath -w "$5")
cd "$6" # both read examples/..., so that their report lines name the same files
if [ ! -x "$linux" ]; then
    echo "no Linux previewer at $linux: build it with the native preset first" >&2
    exit 1
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# Wine maps file names and arguments through the Unix locale's character set, and a machine
# without en_GB.UTF-8 installed leaves it ASCII: C.UTF-8's data under that name gives it UTF-8.
mkdir "$out/locales"
ln -s /usr/lib/locale/C.utf8 "$out/locales/en_GB.UTF-8"
status() { "$@" && echo 0 || echo $?; }

# compare NAME ARGS...: both previewers run with ARGS in the current folder.
failures=0
compare() {
    local name=$1 how extra windows_status linux_status
    shift
    linux_status=$(status "$linux" "$@" --output "$out/linux.json")
    for how in registry dll; do
        extra=()
        [ "$how" = registry ] || extra=(--dll "$dll")
        windows_status=$(status env LC_ALL=en_GB.UTF-8 LOCPATH="$out/locales" "$wine" \
            "$windows" "$@" "${extra[@]}" --output "$out/$how.json")
        if [ "$windows_status" != "$linux_status" ]; then
            echo "$name, $how: exit status $windows_status, the Linux previewer's $linux_status" >&2
            failures=$((failures + 1))
        elif ! diff -u "$out/linux.json" "$out/$how.json" >&2; then
            echo "$name, $how: the JSON differs from the Linux previewer's (above)" >&2
            failures=$((failures + 1))
        fi
    done
}

compare examples --college examples/college.json --patterns examples/patterns.csv \
    --format json --locale en-GB

# A file name and names beyond ASCII and the code page: semicolons in Windows-1252, whose
# warning and report lines name the file.
mkdir "$out/names"
cp examples/college.json "$out/names/"
cd "$out/names"
pattern='02/09/2024|13/12/2024'
printf 'hostkey;name;pattern\nR1;Salle \xe9t\xe9;%s|3|09:00|12:30\nR2;Caf\xe9 \x80;%s|3|nine|12:30\n' \
    "$pattern" "$pattern" >"pätterns-Αίθουσα.csv"
compare "non-ASCII file" --college college.json --patterns "pätterns-Αίθουσα.csv" \
    --format json --locale en-GB
exit "$failures"
