#!/usr/bin/env bash
# The installer: `msiexec /i` puts the DLL into Program Files and registers it there, a script
# then creates the component by ProgID and runs a transfer against the test host, the package of
# the next version replaces it (a major upgrade), and `msiexec /x` leaves HKEY_CLASSES_ROOT as it
# was and removes the DLL. What the package writes is exactly what the DLL's own registration
# writes (regsvr32), wherever the DLL lies.
# Usage: msi_test.sh <wine loader> <winepath loader> <package.msi> <next version's package.msi>
#          <Brenik_Zefa.dll> <transfer script.vbs>
#   (inside a Wine prefix with the stand-ins and BzTestHost registered, the component not)
set -euo pipefail

wine=$1 winepath_loader=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/registry.sh"
msi=$(winepath -w "$1")
next_msi=$(winepath -w "$2")
dll=$(winepath -w "$3")
script=$(winepath -w "$4")
version=$(sed -n 's/^Brenik_Zefa-\(.*\)-x[0-9]*\.msi$/\1/p' <<<"$(basename "$1")")
arch=$(sed -n 's/^.*-\(x[0-9]*\)\.msi$/\1/p' <<<"$1")
# A 32-bit package installs into the 32-bit programs' folder, which 64-bit Windows (a prefix with
# syswow64) names "Program Files (x86)".
program_files='C:\Program Files'
if [ "$arch" = x86 ] && [ -d "$(winepath -u 'C:\windows\syswow64')" ]; then
    program_files='C:\Program Files (x86)'
fi
installed_dll="$program_files\Brenik_Zefa\Brenik_Zefa.dll"

# msiexec <options>: runs it quietly with a log, shown when it fails.
msiexec() {
    local status=0
    "$wine" msiexec "$@" /qn /l* "$(winepath -w "$work/msi.log")" || status=$?
    if ((status)); then
        cat "$work/msi.log"
        fail "msiexec $* exited with $status"
    fi
}

# Windows Installer keeps its own records under HKEY_CLASSES_ROOT\Installer (and makes the keys
# on the first install); without_installer <export>: <export> without them.
without_installer() {
    awk '/^\[/ { skip = index($0, "[HKEY_CLASSES_ROOT\\Installer") == 1 } !skip' "$work/$1"
}

# cscript registers its own type library the first time it runs: before the first snapshot.
: >"$work/empty.vbs"
"$wine" cscript //nologo "$(winepath -w "$work/empty.vbs")"

classes before
msiexec /i "$msi"
classes installed
[ -f "$(winepath -u "$installed_dll")" ] || fail "the package did not install $installed_dll"
# The list of installed programs names the product with its version, and its publisher.
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    sed -n 's/^ *\(DisplayName\|DisplayVersion\|Publisher\) *REG_SZ *\(.*\)$/\1=\2/p' >"$work/programs"
for value in "DisplayName=Brenik_Zefa $version ($arch)" "DisplayVersion=$version" \
    "Publisher=The Brenik_Zefa project"; do
    grep -qxF "$value" "$work/programs" || fail "no installed program has $value: $(cat "$work/programs")"
done
"$wine" cscript //nologo "$script" || fail "the transfer script failed $? checks"
msiexec /i "$next_msi"
classes upgraded
packages=$(sed -n 's/^"PackageName"="\(Brenik_Zefa.*\)"$/\1/p' "$work/upgraded")
[ "$packages" = "$(basename "$2")" ] ||
    fail "after the upgrade Windows Installer records the packages: $packages"
diff <(without_installer installed) <(without_installer upgraded) ||
    fail "the upgrade changed the registration (above)"
msiexec /x "$next_msi"
classes removed
diff <(without_installer before) <(without_installer removed) ||
    fail "uninstallation left the differences above"
if diff "$work/before" "$work/removed" | grep -F 'Brenik_Zefa'; then
    fail "Windows Installer still records the product (above)"
fi
[ ! -e "$(winepath -u "$installed_dll")" ] || fail "uninstallation left $installed_dll"

"$wine" regsvr32 /s "$dll" || fail "regsvr32 exited with $?"
classes registered
"$wine" regsvr32 /s /u "$dll" || fail "regsvr32 /u exited with $?"

# changes <export> <folder>: what <export> adds to `before`, with <folder> (the DLL's, with or
# without a closing backslash) written as "<folder>/".
changes() {
    diff <(without_installer before) <(without_installer "$1") |
        FOLDER=$(sed 's/\\/\\\\/g' <<<"$2") LC_ALL=C perl -pe 's/\Q$ENV{FOLDER}\E(\\\\)?/<folder>\//g'
}
changes installed "${installed_dll%\\*}" >"$work/package.changes" || true
changes registered "${dll%\\*}" >"$work/regsvr32.changes" || true
[ -s "$work/regsvr32.changes" ] || fail "regsvr32 registered nothing"
diff "$work/regsvr32.changes" "$work/package.changes" ||
    fail "the package (>) and regsvr32 (<) registered differently"
echo "install, use and uninstall: OK"
