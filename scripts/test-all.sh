#!/usr/bin/env bash
# Builds everything and runs every test: the native core with its tests, then the same under the
# sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset native-asan
cmake --build --preset native-asan
ctest --preset native-asan
