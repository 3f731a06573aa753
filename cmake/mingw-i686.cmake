# Cross-builds the 32-bit Windows component with MinGW-w64 on Linux; executables run under Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(BZ_MINGW_TRIPLE i686-w64-mingw32)
set(BZ_WIDL_TARGET --win32)
set(BZ_WINE_WINDOWS_DIR /usr/lib/i386-linux-gnu/wine/i386-windows)
set(BZ_WINE wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
