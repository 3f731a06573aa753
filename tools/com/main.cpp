// bz-preview.exe: shows what an availability transfer writes, and why a line fails (see --help).

#include "preview.h"
#include "runtime/text.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

// Arguments of any script, as UTF-16 from the system, passed on in UTF-8.
int wmain(int argc, wchar_t** argv) {
    std::ios::sync_with_stdio(false);
    // The same bytes as on Linux: UTF-8 with LF line ends; a UTF-16 file on standard input
    // read as it is.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    // A console shows the UTF-8 as such; it gets its code page back at the end.
    const UINT consolePage = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(bz::toUtf8(reinterpret_cast<const char16_t*>(argv[i])));
    const int status =
        bz::preview::runPreview(args, std::cout, std::cerr, _isatty(_fileno(stderr)) != 0);
    std::cout.flush();
    std::cerr.flush();
    SetConsoleOutputCP(consolePage);
    return status;
}
