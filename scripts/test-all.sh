#!/usr/bin/env bash
# Builds everything and runs every test: the formatting check, the native core with its tests,
# the same under the sanitizers, then the COM server under Wine: the 32-bit DLL, then the 64-bit
# one; last, the release artefacts in dist/ from what was built and tested.
set -euo pipefail
cd "$(dirname "$0")/.."

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
