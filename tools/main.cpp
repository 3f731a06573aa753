// bz-preview: shows what an availability transfer writes, and why a line fails (see --help).

#include "preview.h"

#include <unistd.h>
#ifdef _WIN32
#include "runtime/text.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

#include <iostream>
#include <string>
#include <vector>

namespace {

int run(const std::vector<std::string>& args) {
    std::ios::sync_with_stdio(false);
    return bz::preview::runPreview(args, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}

} // namespace

#ifdef _WIN32
// Arguments of any script, as UTF-16 from the system, passed on in UTF-8.
int wmain(int argc, wchar_t** argv) {
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
    const int status = run(args);
    std::cout.flush();
    std::cerr.flush();
    SetConsoleOutputCP(consolePage);
    return status;
}
#else
int main(int argc, char** argv) {
    return run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
