#!/usr/bin/env bash
# Builds the release signed with a throw-away certificate and checks it as an administrator
# would: every DLL, EXE and MSI in dist/ carries a signature that verifies against the
# certificate, so does the DLL inside each MSI, and each MSI installs the licence and the notices
# beside it, as they are in the repository. Leaves dist/ signed with that certificate.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash scripts/make-test-certificate.sh "$work"
BZ_SIGN_PKCS12="$work/certificate.p12" BZ_SIGN_PASSWORD=test bash scripts/package.sh

failures=0
fail() {
    echo "check-signed-release.sh: $*" >&2
    failures=$((failures + 1))
}
# verify <file>: its signature verifies against the certificate.
verify() {
    osslsigncode verify -CAfile "$work/certificate.pem" -in "$1" >"$work/verify.log" 2>&1 ||
        { cat "$work/verify.log" && fail "$1: the signature does not verify"; }
}

count=0
while IFS= read -r -d '' file; do
    verify "$file"
    count=$((count + 1))
done < <(find dist -type f \( -name '*.dll' -o -name '*.exe' -o -name '*.msi' \) -print0)
[ "$count" -eq 6 ] || fail "expected 2 DLLs, 2 EXEs and 2 MSIs in dist/, found $count"

for msi in dist/*.msi; do
    files=$(msiinfo export "$msi" File | cut -f3 | tail -n +4 | sort | tr '\n' ' ')
    [ "$files" = "Brenik_Zefa.dll LICENSE.txt THIRD-PARTY-NOTICES.txt " ] ||
        fail "$msi installs: $files"
    rm -rf "$work/extracted"
    msiextract -C "$work/extracted" "$msi" >/dev/null
    folder=$(dirname "$(find "$work/extracted" -name Brenik_Zefa.dll)")
    verify "$folder/Brenik_Zefa.dll"
    cmp -s "$folder/LICENSE.txt" LICENSE || fail "$msi: LICENSE.txt is not LICENSE"
    cmp -s "$folder/THIRD-PARTY-NOTICES.txt" THIRD-PARTY-NOTICES.txt ||
        fail "$msi: THIRD-PARTY-NOTICES.txt differs from the repository's"
done

((failures == 0)) || exit 1
echo "Every DLL, EXE and MSI in dist/ and the DLL in each MSI verify against the certificate."
