// bz-preview: shows what an availability transfer writes, period by period (see --help).

#include "preview.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return bz::preview::runPreview(args, std::cout, std::cerr);
}
