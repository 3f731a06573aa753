// Writes the previewer benchmark's year into a folder, as college.json and patterns.csv, for
// measuring another build of the previewer on the same files.
// Usage: write_year_files <folder>

#include "college_year_files.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_year_files <folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    bz::bench::writeYearCollege(folder / "college.json");
    bz::bench::writeYearPatterns(folder / "patterns.csv");
    return 0;
}
