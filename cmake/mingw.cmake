# Shared by the MinGW-w64 toolchain files: cross-builds the Windows component on Linux with the
# compilers of BZ_MINGW_TRIPLE; executables run under Wine. The including file sets
# CMAKE_SYSTEM_PROCESSOR, BZ_MINGW_TRIPLE, BZ_WIDL_TARGET (widl's --win32 or --win64),
# BZ_WINE_WINDOWS_DIR (Wine's Windows DLLs of that architecture, where stdole2.tlb lives) and
# BZ_WINE (the Wine loader that starts Wine's own programs - regsvr32, reg, cscript, msiexec - in
# that architecture).
set(CMAKE_SYSTEM_NAME Windows)

# The -posix variants: the -win32 runtime lacks std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${BZ_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BZ_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BZ_MINGW_TRIPLE}-windres)
set(BZ_WIDL ${BZ_MINGW_TRIPLE}-widl)

set(CMAKE_FIND_ROOT_PATH /usr/${BZ_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No MinGW runtime DLLs next to the binaries: everything but the system DLLs is linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR ${BZ_WINE})
