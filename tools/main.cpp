// bz-preview: shows what an availability transfer writes, and why a line fails (see --help).

#include "preview.h"

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return bz::preview::runPreview(args, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
