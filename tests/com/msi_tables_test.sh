#!/usr/bin/env bash
# The installer's tables, read with msitools without installing it: the DLL goes into the Program
# Files folder of its architecture as a component of that bitness, and the registry rows are
# those of the DLL's own registration (class, ProgID, in-process server, type library of the
# architecture's platform, default interface), never the host's interfaces.
# Usage: msi_tables_test.sh <package.msi> <x86 | x64>
set -euo pipefail
msi=$1 arch=$2

fail() {
    echo "FAIL: $*"
    exit 1
}

# rows <table>: the table's rows, tab-separated, without msiinfo's three header lines.
rows() {
    msiinfo export "$msi" "$1" | tr -d '\r' | tail -n +4
}

folder=ProgramFilesFolder platform=win32 component_bitness=0
[ "$arch" = x86 ] || folder=ProgramFiles64Folder platform=win64 component_bitness=256

rows Directory | grep -qxF "INSTALLFOLDER	$folder	Brenik_Zefa" ||
    fail "INSTALLFOLDER is not Brenik_Zefa under $folder: $(rows Directory | tr '\n' ' ')"
server=$(rows Component | awk -F'\t' '$1 == "Server"')
[ -n "$server" ] || fail "no Server component"
(($(cut -f4 <<<"$server") & 256)) && bitness=256 || bitness=0
[ "$bitness" = "$component_bitness" ] || fail "the Server component's attributes: $server"
rows File | cut -f3 | grep -qx 'Brenik_Zefa.dll' || fail "no Brenik_Zefa.dll in the File table"

registry=$(rows Registry | awk -F'\t' '$6 == "Server" { print $2 "\t" $3 "\t" $4 "\t" $5 }')
clsid='CLSID\{BCEABCEE-073F-4073-B82E-FF90BE15E444}'
typelib='TypeLib\{713D986C-EFA1-4D23-BF02-780AB398302D}\5.0'
interface='Interface\{1529DF39-70E6-478E-94F0-88E16A20A36A}'
for row in \
    "0	$clsid		Brenik_Zefa.TembraLinkHelper" \
    "0	$clsid\\InprocServer32		[#Dll]" \
    "0	$clsid\\InprocServer32	ThreadingModel	Apartment" \
    "0	$clsid\\ProgID		Brenik_Zefa.TembraLinkHelper" \
    "0	Brenik_Zefa.TembraLinkHelper\\CLSID		{BCEABCEE-073F-4073-B82E-FF90BE15E444}" \
    "0	$typelib\\409\\$platform		[#Dll]" \
    "0	$interface		_TembraLinkHelper"; do
    grep -qxF "$row" <<<"$registry" || fail "no registry row '$row' in the Server component"
done
if grep -E '58C9822B|7FDDB569|4B00BD6B|29D51A03' <<<"$(rows Registry)"; then
    fail "the package writes the host libraries' keys (above)"
fi
echo "$arch package: $folder\\Brenik_Zefa, $(wc -l <<<"$registry") registry rows of the server"
