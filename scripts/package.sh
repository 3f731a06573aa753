#!/usr/bin/env bash
# Builds the release artefacts into dist/, each named with the version that the top
# CMakeLists.txt's project() keeps:
#   Brenik_Zefa-<version>-x86/Brenik_Zefa.dll, Brenik_Zefa-<version>-x86.msi   32-bit Windows
#   Brenik_Zefa-<version>-x64/Brenik_Zefa.dll, Brenik_Zefa-<version>-x64.msi   64-bit Windows
#   bz-preview-<version>-windows-x86.exe, bz-preview-<version>-windows-x64.exe the Windows previewers
#   bz-preview-<version>-linux-<machine>                                       the Linux previewer
#   SHA256SUMS                                                                 of all the above
# The DLLs keep their own name: hosts and the registration refer to Brenik_Zefa.dll.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(Brenik_Zefa VERSION \([0-9][0-9.]*\)[ )].*/\1/p' CMakeLists.txt)
if [ -z "$version" ]; then
    echo "package.sh: no version found in project() of CMakeLists.txt" >&2
    exit 1
fi

bash scripts/setup.sh
for preset in windows windows-x64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target Brenik_Zefa bz_msi bz-preview
done
cmake --preset native >/dev/null
cmake --build --preset native --target bz-preview

rm -rf dist
mkdir dist
for arch in x86 x64; do
    build=build/windows triple=i686-w64-mingw32
    [ "$arch" = x86 ] || build=build/windows-x64 triple=x86_64-w64-mingw32
    mkdir "dist/Brenik_Zefa-$version-$arch"
    cp "$build/bin/Brenik_Zefa.dll" "dist/Brenik_Zefa-$version-$arch/"
    cp "$build/packaging/Brenik_Zefa-$version-$arch.msi" dist/
    install -s --strip-program="$triple-strip" "$build/tools/bz-preview.exe" \
        "dist/bz-preview-$version-windows-$arch.exe"
done
install -s build/native/tools/bz-preview "dist/bz-preview-$version-linux-$(uname -m)"

# The list leaves out SHA256SUMS itself, which the shell creates while find runs.
(cd dist && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | sort | xargs sha256sum >SHA256SUMS)
echo "dist/ for version $version:"
(cd dist && sha256sum -c --quiet SHA256SUMS && ls -lR)
