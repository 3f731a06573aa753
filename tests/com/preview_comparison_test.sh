#!/usr/bin/env bash
# The Windows previewer against the Linux one on the example files in en-GB: the JSON of each
# must be the same, byte for byte, as must the exit status; once with the component created
# through the registry, once loaded with --dll. The platform's conversions differ from the
# portable ones only where the locale comparison tests list it (de-DE's short date, a point as a
# time separator, "0/1", grouping characters after the decimal one), and the examples meet none
# of those in en-GB, so any difference is a fault.
# Usage: preview_comparison_test.sh <wine> <bz-preview.exe> <Linux bz-preview> <DLL> <source dir>
set -euo pipefail
wine=$1 windows=$2 linux=$3 dll=$4
cd "$5" # both read examples/..., so that their report lines name the same files
if [ ! -x "$linux" ]; then
    echo "no Linux previewer at $linux: build it with the native preset first" >&2
    exit 1
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
args=(--college examples/college.json --patterns examples/patterns.csv --format json
    --locale en-GB)
status() { "$@" && echo 0 || echo $?; }

linux_status=$(status "$linux" "${args[@]}" --output "$out/linux.json")
failures=0
for how in registry dll; do
    extra=()
    [ "$how" = registry ] || extra=(--dll "$("$wine" winepath -w "$dll")")
    windows_status=$(status env LC_ALL=en_GB.UTF-8 "$wine" "$windows" "${args[@]}" \
        "${extra[@]}" --output "$out/$how.json")
    if [ "$windows_status" != "$linux_status" ]; then
        echo "$how: exit status $windows_status, the Linux previewer's $linux_status" >&2
        failures=$((failures + 1))
    elif ! diff -u "$out/linux.json" "$out/$how.json" >&2; then
        echo "$how: the JSON differs from the Linux previewer's (above)" >&2
        failures=$((failures + 1))
    fi
done
exit "$failures"
