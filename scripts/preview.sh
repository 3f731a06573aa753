#!/usr/bin/env bash
# Builds the previewer and runs it: on its embedded sample, the examples (their broken lines make
# a report, which is what they show), or with the arguments given (see --help).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh native
cmake --preset native >/dev/null
cmake --build --preset native --target bz-preview >/dev/null
if (($#)); then
    exec build/native/tools/bz-preview "$@"
fi
status=0
build/native/tools/bz-preview || status=$?
# 1 says the report is not empty, as the examples mean it to be.
[ "$status" -le 1 ] || exit "$status"
