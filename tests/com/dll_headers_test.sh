#!/usr/bin/env bash
# The DLL as a loader sees it, read without running it: built for the expected machine, exporting
# exactly the four entries of an in-process server, and loadable on a Windows machine that has
# nothing but the system DLLs: its import table names only those (the C and C++ runtimes are
# linked in).
# Usage: dll_headers_test.sh <objdump> <Brenik_Zefa.dll> <object format: pei-i386 | pei-x86-64>
set -euo pipefail
objdump=$1 dll=$2 format=$3

fail() {
    echo "FAIL: $*"
    exit 1
}

"$objdump" -f "$dll" | grep -q "file format $format\$" ||
    fail "$dll is not $format: $("$objdump" -f "$dll" | grep 'file format')"

headers=$("$objdump" -p "$dll")
exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' <<<"$headers")
expected=$'DllCanUnloadNow\nDllGetClassObject\nDllRegisterServer\nDllUnregisterServer'
[ "$exports" = "$expected" ] || fail "exports: $(tr '\n' ' ' <<<"$exports")"

system_dlls='^(ADVAPI32|KERNEL32|msvcrt|ole32|OLEAUT32|USER32)\.dll$'
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || fail "no imports read from $dll"
others=$(grep -viE "$system_dlls" <<<"$imports" || true)
[ -z "$others" ] || fail "imports beyond the system DLLs: $others"
echo "$format; exports: $(tr '\n' ' ' <<<"$exports"); imports: $(tr '\n' ' ' <<<"$imports")"
