#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace bz::testing {

// An 8-bit RGB or RGBA PNG image (as a browser's screenshot is), as RGB pixels.
struct Image {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::array<std::uint8_t, 3>> pixels; // row by row

    std::size_t count(std::array<std::uint8_t, 3> colour) const;
};

// The image in the PNG file at `path`; an empty image when it is not one this reads.
Image readPng(const std::string& path);

} // namespace bz::testing
