#!/usr/bin/env bash
# Builds the release artefacts into dist/, each named with the version that the top
# CMakeLists.txt's project() keeps:
#   Brenik_Zefa-<version>-x86/Brenik_Zefa.dll, Brenik_Zefa-<version>-x86.msi   32-bit Windows
#   Brenik_Zefa-<version>-x64/Brenik_Zefa.dll, Brenik_Zefa-<version>-x64.msi   64-bit Windows
#   bz-preview-<version>-windows-x86.exe, bz-preview-<version>-windows-x64.exe the Windows previewers
#   bz-preview-<version>-linux-<machine>                                       the Linux previewer
#   LICENSE.txt, THIRD-PARTY-NOTICES.txt                                       the licences
#   SHA256SUMS                                                                 of all the above
# The DLLs keep their own name: hosts and the registration refer to Brenik_Zefa.dll.
#
# With BZ_SIGN_PKCS12 (a PKCS#12 file with the code-signing certificate and its key),
# BZ_SIGN_PASSWORD and optionally BZ_SIGN_TIMESTAMP_URL, every DLL, previewer for Windows and MSI
# is signed (scripts/sign.sh), each DLL before its MSI is built, so the installed DLL is signed
# too. Without them the release is unsigned.
#
# The same commit gives the same unsigned bytes wherever and whenever it is built: the time
# stamps come from the last commit (SOURCE_DATE_EPOCH, unless it is set already), and the build
# keeps no paths in the binaries. scripts/check-reproducible.sh checks it.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(Brenik_Zefa VERSION \([0-9][0-9.]*\)[ )].*/\1/p' CMakeLists.txt)
if [ -z "$version" ]; then
    echo "package.sh: no version found in project() of CMakeLists.txt" >&2
    exit 1
fi
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

signed=false
if [ -n "${BZ_SIGN_PKCS12:-}" ]; then
    signed=true
    [ -r "$BZ_SIGN_PKCS12" ] || { echo "package.sh: cannot read $BZ_SIGN_PKCS12" >&2 && exit 1; }
fi
# sign_or_copy <file> <destination>
sign_or_copy() {
    if $signed; then bash scripts/sign.sh "$1" "$2"; else cp "$1" "$2"; fi
}

bash scripts/setup.sh
for preset in windows windows-x64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target Brenik_Zefa bz-preview
done
cmake --preset native >/dev/null
cmake --build --preset native --target bz-preview

rm -rf dist build/package
mkdir dist build/package
for arch in x86 x64; do
    build=build/windows triple=i686-w64-mingw32
    [ "$arch" = x86 ] || build=build/windows-x64 triple=x86_64-w64-mingw32
    dll="dist/Brenik_Zefa-$version-$arch/Brenik_Zefa.dll"
    mkdir "$(dirname "$dll")"
    sign_or_copy "$build/bin/Brenik_Zefa.dll" "$dll"
    bash packaging/build-msi.sh "$arch" "$version" "$dll" "build/package/$arch.msi"
    sign_or_copy "build/package/$arch.msi" "dist/Brenik_Zefa-$version-$arch.msi"
    "$triple-strip" -o "build/package/bz-preview-$arch.exe" "$build/tools/bz-preview.exe"
    sign_or_copy "build/package/bz-preview-$arch.exe" "dist/bz-preview-$version-windows-$arch.exe"
done
install -s build/native/tools/bz-preview "dist/bz-preview-$version-linux-$(uname -m)"
cp LICENSE dist/LICENSE.txt
cp THIRD-PARTY-NOTICES.txt dist/

# The list leaves out SHA256SUMS itself, which the shell creates while find runs.
(cd dist && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | sort | xargs sha256sum >SHA256SUMS)
echo "dist/ for version $version:"
(cd dist && sha256sum -c --quiet SHA256SUMS && ls -lR)
if $signed; then
    echo "Signed with the certificate in $BZ_SIGN_PKCS12."
else
    echo "Unsigned: set BZ_SIGN_PKCS12 and BZ_SIGN_PASSWORD to sign the release."
fi
