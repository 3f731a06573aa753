# Shared by the scripts that run Windows programs (sourced): which Wine loader a preset uses,
# whether this machine runs 32-bit programs at all, and a Wine prefix for a preset's build.

# The loader that starts programs, Wine's own included, in a preset's architecture. Debian's
# `wine` starts the 32-bit loader whenever wine32 is installed, even in a 64-bit prefix, so the
# 64-bit steps call the 64-bit loader directly.
bz_wine_loader() {
    case "$1" in
    windows) echo wine ;;
    windows-x64) echo /usr/lib/wine/wine64 ;;
    *) echo "wine.sh: unknown preset '$1' (windows or windows-x64)" >&2 && return 2 ;;
    esac
}

# binfmt_misc hands the programs whose ELF header matches the magic under the mask (32-bit x86
# executables) to qemu, once scripts/setup.sh has registered them where the kernel refuses to run
# them itself.
bz_binfmt_misc=/proc/sys/fs/binfmt_misc
bz_i386_interpreter=/usr/bin/qemu-i386-static
bz_i386_elf_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
bz_i386_elf_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# Succeeds when an enabled binfmt_misc entry hands 32-bit x86 programs to qemu.
bz_i386_emulation_registered() {
    local entry
    for entry in "$bz_binfmt_misc"/*; do
        [ -f "$entry" ] && grep -qx enabled "$entry" && grep -q '^interpreter .*qemu-i386' "$entry" &&
            return 0
    done
    return 1
}

# Prints why 32-bit x86 programs are not emulated here. BZ_NO_EMULATION=1 refuses emulation, as
# a machine would that cannot use binfmt_misc.
bz_why_no_i386_emulation() {
    if [ "${BZ_NO_EMULATION:-}" = 1 ]; then
        echo "BZ_NO_EMULATION=1 is set"
    elif [ ! -x "$bz_i386_interpreter" ]; then
        echo "$bz_i386_interpreter is missing (package qemu-user-static)"
    elif [ ! -e "$bz_binfmt_misc/register" ]; then
        echo "binfmt_misc is not mounted at $bz_binfmt_misc"
    else
        echo "no binfmt_misc entry hands them to qemu (scripts/setup.sh registers one as root)"
    fi
}

# Sets bz_32bit_execution to how this machine runs 32-bit x86 programs: native, emulated (by qemu,
# through binfmt_misc) or none, and then bz_no_32bit_reason to why. Some kernels refuse them all
# ("Exec format error"). BZ_ASSUME_NO_32BIT=1 makes it answer none, to try the paths that follow
# on a machine that does run them.
bz_probe_32bit_execution() {
    local loader=/usr/lib/wine/wine output
    bz_32bit_execution=none bz_no_32bit_reason=
    if [ "${BZ_ASSUME_NO_32BIT:-}" = 1 ]; then
        bz_no_32bit_reason="BZ_ASSUME_NO_32BIT=1 is set"
    elif bz_i386_emulation_registered && [ "${BZ_NO_EMULATION:-}" = 1 ]; then
        bz_no_32bit_reason="only emulated ones, and BZ_NO_EMULATION=1 refuses emulation"
    elif ! output=$("$loader" --version 2>&1); then
        bz_no_32bit_reason="$loader --version: ${output:-no output}; not emulated: $(
            bz_why_no_i386_emulation)"
    elif bz_i386_emulation_registered; then
        bz_32bit_execution=emulated
    else
        bz_32bit_execution=native
    fi
}

# Succeeds when this machine runs 32-bit x86 programs, natively or emulated; when it does not,
# sets bz_no_32bit_reason to why.
bz_runs_32bit_programs() {
    bz_probe_32bit_execution
    [ "$bz_32bit_execution" != none ]
}

# The last line of a whole test run, where the 32-bit Wine tests did not run natively: one line
# that a reader of a long log cannot miss.
bz_say_how_32bit_tests_ran() {
    bz_probe_32bit_execution
    case "$bz_32bit_execution" in
    emulated) echo "*** the 32-bit Wine tests ran under emulation (qemu-i386 through binfmt_misc) ***" ;;
    none) bz_say_32bit_tests_skipped ;;
    esac
}

# One line that a reader of a long log cannot miss; after bz_runs_32bit_programs said no.
bz_say_32bit_tests_skipped() {
    echo "*** SKIPPED: the 32-bit Wine tests, since this machine runs no 32-bit programs" \
        "($bz_no_32bit_reason); the 32-bit DLL and installer were built and their contents" \
        "checked ***"
}

# bz_wine_environment <preset>: exports the settings of the preset's prefix in its build folder,
# sets `wine` to the loader of the preset's programs and `wine_tools` to the loader that boots the
# prefix and runs what needs no particular bitness (winepath, the prefix's services): the same one
# except where 32-bit programs are emulated.
bz_wine_environment() {
    local arch=win32
    wine=$(bz_wine_loader "$1")
    wine_tools=$wine
    [ "$1" = windows ] || arch=win64
    if [ "$1" = windows ] && bz_probe_32bit_execution && [ "$bz_32bit_execution" = emulated ]; then
        # Under emulation a 32-bit prefix does not finish booting; a 64-bit one, booted by the
        # 64-bit loader, runs 32-bit programs in its syswow64.
        arch=win64
        wine_tools=/usr/lib/wine/wine64
        # qemu gives a 32-bit program 4 GB. Wine reserves all that lies above 2 GB, and since
        # qemu ignores the exact addresses that asks for, it retries every 64 KB of it, each try
        # searching qemu's map: a minute's start-up for every process. Ending the space just above
        # 2 GB, with room for the 8 MB stack that Wine wants there, makes it seconds.
        export QEMU_RESERVED_VA=0x81000000
    fi
    export WINEPREFIX="$PWD/build/$1/wineprefix" WINEARCH=$arch WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=" # no .NET or HTML engine prompts
}

# bz_make_wine_prefix [--keep-server]: a fresh prefix where bz_wine_environment says, with no
# display driver; with --keep-server its Wine server runs until the calling script exits.
bz_make_wine_prefix() {
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    if [ "${1:-}" = --keep-server ]; then
        wineserver -p
        trap 'wineserver -k' EXIT
    fi
    "$wine_tools" wineboot -i
    "$wine_tools" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
}
