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

# Succeeds when this machine runs 32-bit x86 programs; when it does not, sets bz_no_32bit_reason
# to why. Some kernels refuse them all ("Exec format error"). BZ_ASSUME_NO_32BIT=1 makes it answer
# no, to try the paths that follow on a machine that does run them.
bz_runs_32bit_programs() {
    local loader=/usr/lib/wine/wine output
    if [ "${BZ_ASSUME_NO_32BIT:-}" = 1 ]; then
        bz_no_32bit_reason="BZ_ASSUME_NO_32BIT=1 is set"
        return 1
    fi
    if ! output=$("$loader" --version 2>&1); then
        bz_no_32bit_reason="$loader --version: ${output:-no output}"
        return 1
    fi
}

# One line that a reader of a long log cannot miss; after bz_runs_32bit_programs said no.
bz_say_32bit_tests_skipped() {
    echo "*** SKIPPED: the 32-bit Wine tests, since this machine runs no 32-bit programs" \
        "($bz_no_32bit_reason); the 32-bit DLL and installer were built and their contents" \
        "checked ***"
}

# bz_wine_environment <preset>: exports the settings of the preset's prefix in its build folder
# and sets `wine` to its loader.
bz_wine_environment() {
    local arch=win32
    wine=$(bz_wine_loader "$1")
    [ "$1" = windows ] || arch=win64
    export WINEPREFIX="$PWD/build/$1/wineprefix" WINEARCH=$arch WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=" # no .NET or HTML engine prompts
}

# bz_make_wine_prefix: a fresh prefix where bz_wine_environment says, with no display driver.
bz_make_wine_prefix() {
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot -i
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
    # Until the services wineboot started have ended, their server holds the prefix: a server
    # started next (wineserver -p) would find it and fail.
    wineserver -w
}
