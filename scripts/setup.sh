#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine: the native toolchain, for the
# previewer's page a headless browser, for the fuzz targets clang with libFuzzer, and for the COM
# server the MinGW-w64 cross compilers (i686 and x86_64), widl's IDL files, 32- and 64-bit Wine,
# wixl with msitools for the installers, and jq for the tests that read the previewer's JSON.
# Where the kernel refuses 32-bit x86 programs it registers qemu's user-mode emulation for
# them (binfmt_misc), so that 32-bit Wine runs.
# Idempotent: when every package is already there it only checks. `setup.sh native` installs only
# the native toolchain and the previewer's header-only libraries.
# A package index that fails to update (a mirror in the middle of a sync) does not stop it: apt
# then works from the lists it could read. It exits non-zero only when packages stay missing,
# and names them.
set -euo pipefail
source "$(dirname "$0")/wine.sh"

# The previewer's command line and JSON readers are header-only Debian packages.
packages=(cmake ninja-build g++ make googletest libgtest-dev libbenchmark-dev clang-format
    libcli11-dev nlohmann-json3-dev)
# The tests render the previewer's HTML page in a headless browser and read its screenshot, and
# check its JSON against the schemas in docs/; CI fuzzes with clang's libFuzzer.
test_packages=(chromium python3-jsonschema zlib1g-dev clang libclang-rt-dev)
windows_packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libwine-dev wine wine64
    wine32:i386 wixl msitools faketime osslsigncode openssl jq qemu-user-static)
[ "${1:-}" = native ] || packages+=("${test_packages[@]}" "${windows_packages[@]}")

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# 32-bit Wine comes from the i386 architecture.
update_needed=false
if [ "${1:-}" != native ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
    update_needed=true
fi

# missing_packages: prints those of $packages that are not installed, one a line.
missing_packages() {
    local package
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            echo "$package"
    done
}

mapfile -t missing < <(missing_packages)
((${#missing[@]})) && update_needed=true
if $update_needed && ! "${sudo_cmd[@]}" apt-get update -qq; then
    echo "setup.sh: the package index did not update completely; going on with the lists apt has"
fi

install() {
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "$@"
}
if ((${#missing[@]})) && ! install "${missing[@]}"; then
    # With one architecture's list of updates unread, the i386 twins of updated amd64 libraries
    # are not found at the same version; the release's own lists hold both.
    echo "setup.sh: installing from the release's own package versions (-t bookworm)"
    install -t bookworm "${missing[@]}" || true
fi

mapfile -t missing < <(missing_packages)
if ((${#missing[@]})); then
    echo "setup.sh: could not install: ${missing[*]}" >&2
    exit 1
fi

# Where 32-bit programs do not run (and only there: a machine that runs them natively is left as it
# is), tells the kernel to hand them to qemu. That needs root and binfmt_misc, mounted here when it
# is not; where either is missing the 32-bit Wine tests are skipped, and this says why.
register_i386_emulation() {
    local error
    if [ "${BZ_NO_EMULATION:-}" = 1 ] || /usr/lib/wine/wine --version >/dev/null 2>&1; then
        return 0 # they run (natively or emulated already), or emulation is refused
    fi
    if [ ! -e "$bz_binfmt_misc/register" ] &&
        ! error=$("${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$bz_binfmt_misc" 2>&1); then
        echo "setup.sh: 32-bit programs will not run: binfmt_misc cannot be mounted ($error)"
        return 0
    fi
    if ! error=$(printf '%s' ":qemu-i386:M::$bz_i386_elf_magic:$bz_i386_elf_mask:$bz_i386_interpreter:F" |
        "${sudo_cmd[@]}" tee "$bz_binfmt_misc/register" 2>&1 >/dev/null); then
        echo "setup.sh: 32-bit programs will not run: qemu's entry was refused ($error)"
        return 0
    fi
    echo "setup.sh: 32-bit x86 programs now run under qemu's emulation (binfmt_misc)"
}
[ "${1:-}" = native ] || register_i386_emulation
