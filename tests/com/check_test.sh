#!/usr/bin/env bash
# bz-preview.exe --check on an installation made by the package: every check passes; then one
# thing at a time is broken, and exactly that check fails, with its mend (the checks that need
# it are not run), and the exit status is 1; each is put back before the next.
# Every JSON it writes is checked against its schema.
# Usage: check_test.sh <wine loader> <package.msi> <bz-preview.exe> <32 | 64: their bitness>
#          <check-v1.schema.json>
#   (inside a Wine prefix with the stand-ins registered, the component not)
set -euo pipefail

wine=$1
msi=$("$wine" winepath -w "$2")
preview=$3
bits=$4
schema=$5
other_bits=$((96 - bits))
package=x64
[ "$bits" = 64 ] || package=x86
work=$(mktemp -d)
work_windows=$("$wine" winepath -w "$work") # each Wine process costs time: named once
source "$(dirname "$0")/registry.sh"
classes_key='HKEY_CLASSES_ROOT'
class='CLSID\{BCEABCEE-073F-4073-B82E-FF90BE15E444}'
progid='Brenik_Zefa.TembraLinkHelper'
interface='Interface\{1529DF39-70E6-478E-94F0-88E16A20A36A}'
type_library='TypeLib\{713D986C-EFA1-4D23-BF02-780AB398302D}'
host_library='TypeLib\{4B00BD6B-FB3C-4AEA-97E7-5192DD2F177B}'

"$wine" msiexec /i "$msi" /qn || fail "msiexec /i exited with $?"
trap '"$wine" msiexec /x "$msi" /qn; rm -rf "$work"' EXIT
dll=$("$wine" reg query "HKCR\\CLSID\\{BCEABCEE-073F-4073-B82E-FF90BE15E444}\\InprocServer32" /ve \
    /reg:"$bits" | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p')
dll=$("$wine" winepath -u "$dll")

# check <what was broken>: runs the check as JSON into $work/check.json; its exit status in
# $status.
check() {
    status=0
    "$wine" "$preview" --check --format json >"$work/check.json" || status=$?
    /usr/bin/python3 -c 'import json, sys, jsonschema; jsonschema.validate(json.load(open(sys.argv[2])),
        json.load(open(sys.argv[1])), cls=jsonschema.Draft202012Validator)' "$schema" \
        "$work/check.json" || fail "$1: the JSON does not match $schema: $(cat "$work/check.json")"
}

# reg_file <name> <view> <key...>: HKEY_CLASSES_ROOT's <key>s as one file to import into
# <view> (32 or 64), and a second that deletes them, both under $work.
reg_file() {
    local name=$1 view=$2 key
    shift 2
    printf 'Windows Registry Editor Version 5.00\n' >"$work/$name.reg"
    printf 'Windows Registry Editor Version 5.00\n' >"$work/$name-deleted.reg"
    for key in "$@"; do
        "$wine" reg export "$classes_key\\$key" "$work_windows\\export.reg" /reg:"$view" /y \
            >/dev/null
        iconv -f UTF-16LE -t UTF-8 "$work/export.reg" | tr -d '\r' | sed 1d >>"$work/$name.reg"
        printf '\n[-%s\\%s]\n' "$classes_key" "$key" >>"$work/$name-deleted.reg"
    done
}

# import <file> <view>
import() {
    "$wine" reg import "$work_windows\\$1.reg" /reg:"$2" >/dev/null 2>&1 ||
        fail "reg import $1 /reg:$2 failed"
}

# expect_only <case> <check> <found> <mend>: of the last check, exactly <check> failed, its
# text holds <found> and its mend <mend>; the others passed or were not run; exit status 1.
expect_only() {
    [ "$status" = 1 ] || fail "$1: exit status $status, not 1"
    local failed
    failed=$(jq -r '.checks[] | select(.status == "failed") | .name' "$work/check.json")
    [ "$failed" = "$2" ] || fail "$1: the failed checks are '$failed', not '$2': $(cat "$work/check.json")"
    jq -e --arg name "$2" --arg found "$3" --arg mend "$4" \
        '.checks[] | select(.name == $name) | (.found | contains($found)) and (.mend | contains($mend))' \
        "$work/check.json" >/dev/null ||
        fail "$1: '$2' does not say '$3' with the mend '$4': $(cat "$work/check.json")"
    echo "$1: only '$2' failed"
}

check "installed"
[ "$status" = 0 ] || fail "installed: exit status $status: $(cat "$work/check.json")"
jq -e '.passed and ([.checks[] | select(.status != "ok")] | length == 0)' "$work/check.json" \
    >/dev/null || fail "installed: not every check passed: $(cat "$work/check.json")"
jq -e '.checks[] | select(.name == "signature") | .found | contains("signed by Brenik_Zefa test signing")' \
    "$work/check.json" >/dev/null || fail "installed: the signer is not named: $(cat "$work/check.json")"
echo "installed: every check passed"

repair="msiexec /fam Brenik_Zefa-"
reg_file class "$bits" "$class"
import class-deleted "$bits"
check "class removed"
expect_only "class removed" registration "is not registered in the $bits-bit view" "msiexec /i Brenik_Zefa-"
import class "$bits"

reg_file type_library "$bits" "$type_library"
import type_library-deleted "$bits"
check "type library unregistered"
expect_only "type library unregistered" "type library" "Brenik_Zefa 5.0 is not registered" "$repair"
import type_library "$bits"

reg_file host_library "$bits" "$host_library"
import host_library-deleted "$bits"
check "host library unregistered"
expect_only "host library unregistered" "host library TembraLinkHelperIF 1.0" "0x8002801D" \
    "registers ITembraLinkHelper.dll"
import host_library "$bits"

mv "$dll" "$work/moved.dll"
check "DLL moved away"
expect_only "DLL moved away" file "Brenik_Zefa.dll is not there" "$repair"
cp "$work/moved.dll" "$dll"

# A byte of the signed DLL changed: the signature no longer matches.
perl -pi -e 's/This program cannot be run in DOS mode/This program cannot be run in DOS mod!/' "$dll"
check "DLL altered"
expect_only "DLL altered" signature "changed after signing" "install the DLL again"
cp "$work/moved.dll" "$dll"

# What the other bitness's registration writes, and only that: the class, its ProgID and its
# interface in the other view (type libraries are one registration for both views). A 32-bit
# prefix, as 32-bit Windows, has one view.
if [ -d "$("$wine" winepath -u 'C:\windows\syswow64')" ]; then
    case="registered only in the $other_bits-bit view"
    reg_file server "$bits" "$class" "$progid" "$interface"
    import server-deleted "$bits"
    import server "$other_bits"
    check "$case"
    expect_only "$case" registration \
        "the $other_bits-bit view has the class; a $bits-bit host will not see it" \
        "install the $package package"
    # (Wine's reg import leaves in place the keys of the other view it is told to delete)
    for key in "$class" "$progid" "$interface"; do
        "$wine" reg delete "$classes_key\\$key" /reg:"$other_bits" /f >/dev/null
    done
    import server "$bits"
else
    echo "registered only in the other view: not tried, since a 32-bit prefix has one view"
fi

check "put back"
[ "$status" = 0 ] || fail "put back: exit status $status: $(cat "$work/check.json")"
echo "put back: every check passed"
