#!/usr/bin/env bash
# Runs a test program of this build on another build's DLL, which it reads as data only (its
# type library, resources and version block): the 64-bit tests on the 32-bit DLL.
# Usage: read_as_data_test.sh <wine loader> <Brenik_Zefa.dll> <test program.exe>
set -euo pipefail
wine=$1 dll=$2 program=$3
[ -f "$dll" ] || { echo "FAIL: no DLL at $dll (build the windows preset first)" && exit 1; }
BZ_COMPONENT_DLL=$("$wine" winepath -w "$dll") "$wine" "$program"
