#!/usr/bin/env bash
# Builds the benchmark of the 32-bit component through COM and runs it under Wine in the build's
# prefix, which is made as test-windows.sh makes it when it is missing. It prints figures only.
# Usage: bench-windows.sh [resources [runs]]   (default: the scenario's 2000 resources, 7 runs)
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset windows >/dev/null
cmake --build --preset windows --target com_floor_bench Brenik_Zefa

export WINEPREFIX="$PWD/build/windows/wineprefix" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no .NET or HTML engine prompts
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
fi
LC_ALL=en_GB.UTF-8 wine build/windows/bin/com_floor_bench.exe "$@"
