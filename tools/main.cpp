// bz-preview: shows what an availability transfer writes, and why a line fails (see --help).
// The Windows entry, which takes its arguments in UTF-16, is tools/com/main.cpp.

#include "preview.h"

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return bz::preview::runPreview(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                   std::cerr, isatty(STDERR_FILENO) == 1);
}
