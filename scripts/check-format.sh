#!/usr/bin/env bash
# Checks every tracked C++ file against .clang-format; lists the files that differ.
set -euo pipefail
cd "$(dirname "$0")/.."

git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "clang-format: every tracked C++ file is formatted"
