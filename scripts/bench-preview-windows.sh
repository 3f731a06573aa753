#!/usr/bin/env bash
# The Windows previewer at an institution's size: runs bz-preview.exe under Wine on the previewer
# benchmark's year (2,000 resources x 50 full-year rules), through the DLL it loads with --dll,
# once per output format, and prints wall time, CPU time and peak memory of each run, and the CPU
# time beyond the previewer's start-up (a run on its embedded sample). It prints figures only.
# Usage: bench-preview-windows.sh [windows | windows-x64]
#   windows-x64 (the default) is the 64-bit previewer and DLL; windows the 32-bit ones.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine.sh

preset=${1:-windows-x64}
bz_wine_loader "$preset" >/dev/null
if [ "$preset" = windows ] && ! bz_runs_32bit_programs; then
    echo "bench-preview-windows.sh: this machine runs no 32-bit programs ($bz_no_32bit_reason);" \
        "use windows-x64" >&2
    exit 1
fi

cmake --preset native >/dev/null
cmake --build --preset native --target write_year_files >/dev/null
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target bz-preview Brenik_Zefa >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/native/bench/write_year_files "$work"
bz_wine_environment "$preset"
[ -f "$WINEPREFIX/system.reg" ] || bz_make_wine_prefix
dll=$("$wine" winepath -w "build/$preset/bin/Brenik_Zefa.dll")
preview=("$wine" "build/$preset/tools/bz-preview.exe" --dll "$dll" --locale en-GB)

# run LABEL ARGS...: one previewer run, its figures as "wall user+system peak-KiB".
run() {
    local label=$1 status=0
    shift
    LC_ALL=en_GB.UTF-8 /usr/bin/time -f '%e %U %S %M' -o "$work/time" "${preview[@]}" "$@" \
        >/dev/null 2>"$work/stderr" || status=$?
    # 0 or 1 (a report) are results; anything else is a failure of the run.
    if [ "$status" -gt 1 ]; then
        echo "$label: the previewer failed with $status:" >&2
        cat "$work/stderr" >&2
        exit 1
    fi
    read -r wall user system peak <"$work/time"
    echo "$wall $(echo "$user + $system" | bc) $peak"
}

read -r _ startup _ < <(run "embedded sample" -o "$work/sample.txt")
echo "Windows previewer ($preset) on 100,000 full-year rules; start-up CPU ${startup} s"
for format in text json html; do
    read -r wall cpu peak < <(run "$format" --college "$work/college.json" \
        --patterns "$work/patterns.csv" --format "$format" -o "$work/out.$format")
    printf '%-5s wall %6.2f s  CPU %6.2f s (%6.2f s beyond start-up)  peak %4d MiB\n' \
        "$format" "$wall" "$cpu" "$(echo "$cpu - $startup" | bc)" "$((peak / 1024))"
done
