# Cross-builds the 64-bit Windows component with MinGW-w64 on Linux; executables run under
# 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(BZ_MINGW_TRIPLE x86_64-w64-mingw32)
set(BZ_WIDL_TARGET --win64)
set(BZ_WINE_WINDOWS_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
# Debian's `wine` starts the 32-bit loader, which runs Wine's own programs as 32-bit ones (seeing
# the 32-bit registry view); the 64-bit loader is not on PATH.
set(BZ_WINE /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
