#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine. Idempotent: when every package
# is already there it only checks.
set -euo pipefail

native_packages=(cmake ninja-build g++ make googletest libgtest-dev libbenchmark-dev clang-format)

missing=()
for package in "${native_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

if ((${#missing[@]})); then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi
