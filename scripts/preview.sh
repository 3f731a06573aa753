#!/usr/bin/env bash
# Builds the previewer and runs it: on the embedded sample, or with the arguments given
# (see --help).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh native
cmake --preset native >/dev/null
cmake --build --preset native --target bz-preview >/dev/null
exec build/native/tools/bz-preview "$@"
