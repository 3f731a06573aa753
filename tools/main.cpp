// bz-preview: shows what an availability transfer writes, and why a line fails (see --help).

#include "preview.h"

#include <unistd.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
#ifdef _WIN32
    // The same bytes as on Linux: UTF-8 with LF line ends.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    return bz::preview::runPreview(args, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
