#!/usr/bin/env bash
# The DLL must load on a Windows machine that has nothing but the system DLLs: its import table
# names only those (the C and C++ runtimes are linked in).
# Usage: imports_test.sh <objdump> <Brenik_Zefa.dll>
set -euo pipefail

system_dlls='^(ADVAPI32|KERNEL32|msvcrt|ole32|OLEAUT32|USER32)\.dll$'
imports=$("$1" -p "$2" | sed -n 's/^\s*DLL Name: //p')
[ -n "$imports" ] || { echo "FAIL: no imports read from $2"; exit 1; }
others=$(grep -viE "$system_dlls" <<<"$imports" || true)
[ -z "$others" ] || { echo "FAIL: imports beyond the system DLLs: $others"; exit 1; }
echo "imports: $(tr '\n' ' ' <<<"$imports")"
