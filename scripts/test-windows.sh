#!/usr/bin/env bash
# Builds the COM server and the Windows previewer with MinGW-w64 and runs their tests under Wine,
# in a fresh prefix that lives in the build folder.
# Usage: test-windows.sh [windows | windows-x64] [ctest options...]
#   windows (the default) is the 32-bit DLL in a 32-bit prefix, windows-x64 the 64-bit DLL in a
#   64-bit prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

preset=windows
case "${1:-}" in
windows | windows-x64) preset=$1 && shift ;;
windows*) echo "test-windows.sh: unknown preset '$1' (windows or windows-x64)" >&2 && exit 2 ;;
esac
winearch=win32
[ "$preset" = windows ] || winearch=win64

bash scripts/setup.sh

cmake --preset "$preset"
cmake --build --preset "$preset"
# The Windows previewer's test compares it with the Linux one.
cmake --preset native >/dev/null
cmake --build --preset native --target bz-preview

export WINEPREFIX="$PWD/build/$preset/wineprefix" WINEARCH=$winearch WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no .NET or HTML engine prompts
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"

# Keep the Wine server and its services running outside ctest: helper processes that Wine
# starts would otherwise inherit ctest's pipes and hold it up.
wineserver -p
trap 'wineserver -k' EXIT
wineboot -i
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
(setsid wine notepad </dev/null >/dev/null 2>&1 &)

# The user locale Wine reports (it reads LC_ALL); the locale tests set their own.
LC_ALL=en_US.UTF-8 ctest --preset "$preset" "$@"
