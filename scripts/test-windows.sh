#!/usr/bin/env bash
# Builds the COM server and the Windows previewer with MinGW-w64 and runs their tests under Wine,
# in a fresh prefix that lives in the build folder.
# Usage: test-windows.sh [windows | windows-x64] [ctest options...]
#   windows (the default) is the 32-bit DLL in a 32-bit prefix, windows-x64 the 64-bit DLL in a
#   64-bit prefix.
# On a machine that runs no 32-bit programs the 32-bit preset is still built, and only its checks
# that run nothing of it (the DLL's and the installer's contents) run; one line says so. Where
# 32-bit programs are emulated (scripts/setup.sh sets that up where the kernel refuses them), the
# 32-bit tests run in a 64-bit prefix, each test program once with all its tests.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine.sh

preset=windows
case "${1:-}" in
windows | windows-x64) preset=$1 && shift ;;
windows*) echo "test-windows.sh: unknown preset '$1' (windows or windows-x64)" >&2 && exit 2 ;;
esac

bash scripts/setup.sh

run_under_wine=ON whole_programs=OFF
if [ "$preset" = windows ]; then
    bz_probe_32bit_execution
    [ "$bz_32bit_execution" != none ] || run_under_wine=OFF
    [ "$bz_32bit_execution" != emulated ] || whole_programs=ON
fi
bz_wine_environment "$preset"

cmake --preset "$preset" -DBZ_RUN_UNDER_WINE=$run_under_wine \
    -DBZ_WINE_WHOLE_PROGRAMS=$whole_programs -DBZ_WINEPATH_LOADER="$wine_tools"
cmake --build --preset "$preset"
if [ $run_under_wine = OFF ]; then
    ctest --preset "$preset" "$@"
    bz_say_32bit_tests_skipped
    exit 0
fi
# The Windows previewer's test compares it with the Linux one; the 64-bit tests also read the
# 32-bit DLL.
cmake --preset native >/dev/null
cmake --build --preset native --target bz-preview
if [ "$preset" = windows-x64 ]; then
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target Brenik_Zefa
fi

# Keep the Wine server and its services running outside ctest: helper processes that Wine
# starts would otherwise inherit ctest's pipes and hold it up.
bz_make_wine_prefix --keep-server
(setsid "$wine_tools" notepad </dev/null >/dev/null 2>&1 &)
# Wait until those helpers run: on a busy machine the first test could otherwise start them
# itself, with ctest's pipes, and hold ctest up until its timeout.
"$wine_tools" cmd /c exit </dev/null >/dev/null 2>&1

# The user locale Wine reports (it reads LC_ALL); the locale tests set their own.
LC_ALL=en_US.UTF-8 ctest --preset "$preset" "$@"
