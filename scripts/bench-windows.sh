#!/usr/bin/env bash
# Builds the benchmark of the component through COM and runs it under Wine in the build's prefix,
# which is made as test-windows.sh makes it when it is missing. It prints figures only.
# Usage: bench-windows.sh [windows | windows-x64] [resources [runs]]
#   windows is the 32-bit DLL, the default where this machine runs 32-bit programs natively;
#   windows-x64 the 64-bit one, the default elsewhere. Where 32-bit programs are emulated, the
#   32-bit DLL is measured only when asked for, and its figures include the emulation.
#   The scenario has 2000 resources; 7 runs by default.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine.sh

bz_probe_32bit_execution
case "${1:-}" in
windows | windows-x64) preset=$1 && shift ;;
windows*) echo "bench-windows.sh: unknown preset '$1' (windows or windows-x64)" >&2 && exit 2 ;;
*)
    preset=windows
    if [ "$bz_32bit_execution" != native ]; then
        preset=windows-x64
        echo "bench-windows.sh: the 64-bit DLL, since this machine runs no 32-bit programs" \
            "natively (${bz_no_32bit_reason:-they are emulated})"
    fi
    ;;
esac
if [ "$preset" = windows ] && [ "$bz_32bit_execution" = none ]; then
    echo "bench-windows.sh: this machine runs no 32-bit programs ($bz_no_32bit_reason);" \
        "use windows-x64" >&2
    exit 1
fi
if [ "$preset" = windows ] && [ "$bz_32bit_execution" = emulated ]; then
    echo "bench-windows.sh: 32-bit programs run under emulation here: the figures include it"
fi

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target com_floor_bench Brenik_Zefa

bz_wine_environment "$preset"
[ -f "$WINEPREFIX/system.reg" ] || bz_make_wine_prefix
LC_ALL=en_GB.UTF-8 "$wine" "build/$preset/bin/com_floor_bench.exe" "$@"
