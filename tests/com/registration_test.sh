#!/usr/bin/env bash
# regsvr32 registers the component and unregisters exactly what it wrote; the stand-in host
# libraries' registrations of ITembraLinkHelper and the transfer interface are never touched.
# Usage: registration_test.sh <wine loader> <winepath loader> <Brenik_Zefa.dll>
#   (inside a Wine prefix with the stand-ins registered)
set -euo pipefail

wine=$1 winepath_loader=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/registry.sh"
dll=$(winepath -w "$3")

classes before
"$wine" regsvr32 /s "$dll" || fail "regsvr32 exited with $?"
classes registered
"$wine" regsvr32 /s /u "$dll" || fail "regsvr32 /u exited with $?"
classes unregistered

diff "$work/before" "$work/registered" >"$work/changes" || true
added=$(sed -n 's/^> //p' "$work/changes")
for key in \
    '[HKEY_CLASSES_ROOT\CLSID\{BCEABCEE-073F-4073-B82E-FF90BE15E444}\InprocServer32]' \
    '"ThreadingModel"="Apartment"' \
    '[HKEY_CLASSES_ROOT\CLSID\{BCEABCEE-073F-4073-B82E-FF90BE15E444}\ProgID]' \
    '[HKEY_CLASSES_ROOT\Brenik_Zefa.TembraLinkHelper\CLSID]' \
    '@="{BCEABCEE-073F-4073-B82E-FF90BE15E444}"' \
    '[HKEY_CLASSES_ROOT\TypeLib\{713D986C-EFA1-4D23-BF02-780AB398302D}\5.0]' \
    '[HKEY_CLASSES_ROOT\Interface\{1529DF39-70E6-478E-94F0-88E16A20A36A}]'; do
    grep -qixF "$key" <<<"$added" || fail "registration did not write $key"
done

removed=$(sed -n 's/^< //p' "$work/changes")
[ -z "$removed" ] || fail "registration changed what was there before: $removed"
if grep -E '58C9822B|7FDDB569|4B00BD6B|29D51A03' <<<"$added"; then
    fail "registration wrote the host libraries' keys (above)"
fi

diff "$work/before" "$work/unregistered" || fail "unregistration left the differences above"

# A type library registration that cannot be removed (its locale's key deleted by hand) does not
# keep the class and the ProgID registered: unregistration fails, having removed them.
"$wine" regsvr32 /s "$dll" || fail "regsvr32 exited with $?"
"$wine" reg delete 'HKEY_CLASSES_ROOT\TypeLib\{713D986C-EFA1-4D23-BF02-780AB398302D}\5.0\409' /f \
    >/dev/null || fail "reg delete exited with $?"
! "$wine" regsvr32 /s /u "$dll" || fail "regsvr32 /u succeeded with the type library broken"
classes broken
for key in '[HKEY_CLASSES_ROOT\CLSID\{BCEABCEE-073F-4073-B82E-FF90BE15E444}]' \
    '[HKEY_CLASSES_ROOT\Brenik_Zefa.TembraLinkHelper]'; do
    ! grep -qixF "$key" "$work/broken" || fail "unregistration stopped before removing $key"
done
# The registry as it was: registered whole again, then unregistered.
"$wine" regsvr32 /s "$dll" && "$wine" regsvr32 /s /u "$dll" || fail "regsvr32 failed on repair"
classes repaired
diff "$work/before" "$work/repaired" || fail "the repaired registration left the differences above"
echo "registration and unregistration: OK"
