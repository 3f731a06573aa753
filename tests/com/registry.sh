# Shared by the registry tests (sourced): HKEY_CLASSES_ROOT read back as text, Windows paths, and
# failing with a message. Expects $wine (the Wine loader), $winepath_loader (the loader that runs
# winepath) and $work (a scratch folder).

# winepath <options> <path>: Wine's path conversion.
winepath() {
    "$winepath_loader" winepath "$@"
}

# classes <name>: HKEY_CLASSES_ROOT into $work/<name>, one line per key or value.
classes() {
    "$wine" reg export HKEY_CLASSES_ROOT "$(winepath -w "$work/export.reg")" /y >/dev/null
    iconv -f UTF-16LE -t UTF-8 "$work/export.reg" | tr -d '\r' >"$work/$1"
}

fail() {
    echo "FAIL: $*"
    exit 1
}
