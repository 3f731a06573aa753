#!/usr/bin/env bash
# Builds everything and runs every test: the formatting check, the native core with its tests,
# the same under the sanitizers, then the COM server under Wine: the 32-bit DLL, then the 64-bit
# one; last, the release artefacts in dist/ from what was built and tested.
# On a machine that runs no 32-bit programs the 32-bit DLL is built and only its contents are
# checked; where they are emulated its Wine tests run under emulation. The last line says which.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine.sh

bash scripts/setup.sh
bash scripts/check-format.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset native-asan
cmake --build --preset native-asan
ctest --preset native-asan

bash scripts/test-windows.sh
bash scripts/test-windows.sh windows-x64

bash scripts/package.sh

bz_say_how_32bit_tests_ran
