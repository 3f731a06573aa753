#!/usr/bin/env bash
# Builds the installer of a Brenik_Zefa.dll with wixl from packaging/Brenik_Zefa.wxs, the same
# bytes from the same inputs: wixl stamps the summary with the clock and a random package code,
# so it runs with the clock stopped at the last commit's time (SOURCE_DATE_EPOCH when set) and
# msibuild then sets a package code derived from everything the package holds. The product code
# is derived from the architecture and the version: one per version, as major upgrades need.
# Usage: build-msi.sh <x86|x64> <version> <Brenik_Zefa.dll> <output.msi>
set -euo pipefail

arch=$1 version=$2 dll=$3 msi=$4
packaging=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$packaging")
# Outside a git checkout, without SOURCE_DATE_EPOCH, the package carries the build time.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}

# uuid <text>: a GUID in registry form derived from <text> (its SHA-256, version 5 layout).
uuid() {
    local hash
    hash=$(printf '%s' "$1" | sha256sum | tr a-f A-F)
    printf '%s-%s-5%s-%X%s-%s' "${hash:0:8}" "${hash:8:4}" "${hash:13:3}" \
        $((0x${hash:16:1} & 0x3 | 0x8)) "${hash:17:3}" "${hash:20:12}"
}

product_code=$(uuid "Brenik_Zefa product $arch $version")
package_code=$(uuid "Brenik_Zefa package $arch $version $(cat "$packaging"/Brenik_Zefa.wxs \
    "$packaging"/type_library.wxi "$dll" "$root/LICENSE" "$root/THIRD-PARTY-NOTICES.txt" |
    sha256sum)")

# wixl looks the File sources up from its working folder, and the cabinet keeps their times.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$dll" "$stage/Brenik_Zefa.dll"
cp "$root/LICENSE" "$stage/LICENSE.txt"
cp "$root/THIRD-PARTY-NOTICES.txt" "$stage/"
touch -d "@$epoch" "$stage"/*
output=$(realpath -m "$msi")
frozen=(env TZ=UTC faketime -f "$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')")

(cd "$stage" && "${frozen[@]}" wixl -a "$arch" -D Arch="$arch" -D Version="$version" \
    -D ProductCode="$product_code" -I "$packaging" -o package.msi "$packaging/Brenik_Zefa.wxs")
# msibuild rewrites the whole summary: the title, author and template as wixl wrote them.
summary=$(msiinfo suminfo "$stage/package.msi")
field() { sed -n "s/^$1: //p" <<<"$summary"; }
"${frozen[@]}" msibuild "$stage/package.msi" -s "$(field Subject)" "$(field Author)" \
    "$(field Template)" "{$package_code}"
mv "$stage/package.msi" "$output"
