#include "png_pixels.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace bz::testing {

namespace {

std::uint32_t bigEndian(const std::string& data, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<std::uint8_t>(data[at + i]);
    return value;
}

int paeth(int left, int up, int upLeft) {
    const int p = left + up - upLeft;
    const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
    return pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
}

// Undoes each row's filter in place; `stride` bytes a row after its filter byte.
bool unfilter(std::vector<std::uint8_t>& raw, std::size_t stride, std::size_t bpp,
              std::uint32_t height) {
    std::vector<std::uint8_t> previous(stride, 0);
    for (std::uint32_t row = 0; row < height; ++row) {
        std::uint8_t* line = &raw[row * (stride + 1)];
        const std::uint8_t filter = line[0];
        std::uint8_t* bytes = line + 1;
        for (std::size_t i = 0; i < stride; ++i) {
            const int left = i >= bpp ? bytes[i - bpp] : 0;
            const int up = previous[i];
            const int upLeft = i >= bpp ? previous[i - bpp] : 0;
            const int predictor = filter == 1   ? left
                                  : filter == 2 ? up
                                  : filter == 3 ? (left + up) / 2
                                  : filter == 4 ? paeth(left, up, upLeft)
                                                : 0;
            if (filter > 4)
                return false;
            bytes[i] = static_cast<std::uint8_t>(bytes[i] + predictor);
        }
        std::copy(bytes, bytes + stride, previous.begin());
    }
    return true;
}

} // namespace

std::size_t Image::count(std::array<std::uint8_t, 3> colour) const {
    return static_cast<std::size_t>(std::count(pixels.begin(), pixels.end(), colour));
}

Image readPng(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < 33 || data.compare(1, 3, "PNG") != 0)
        return {};
    Image image{bigEndian(data, 16), bigEndian(data, 20), {}};
    const int depth = data[24], colourType = data[25];
    if (depth != 8 || (colourType != 2 && colourType != 6) || data[28] != 0)
        return {};
    std::string compressed;
    for (std::size_t at = 8; at + 8 <= data.size();) {
        const std::uint32_t length = bigEndian(data, at);
        if (data.compare(at + 4, 4, "IDAT") == 0)
            compressed += data.substr(at + 8, length);
        at += 12 + length;
    }
    const std::size_t bpp = colourType == 6 ? 4 : 3;
    const std::size_t stride = image.width * bpp;
    std::vector<std::uint8_t> raw((stride + 1) * image.height);
    uLongf size = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &size, reinterpret_cast<const Bytef*>(compressed.data()),
                   static_cast<uLong>(compressed.size())) != Z_OK ||
        !unfilter(raw, stride, bpp, image.height))
        return {};
    for (std::uint32_t row = 0; row < image.height; ++row)
        for (std::uint32_t x = 0; x < image.width; ++x) {
            const std::uint8_t* pixel = &raw[row * (stride + 1) + 1 + x * bpp];
            image.pixels.push_back({pixel[0], pixel[1], pixel[2]});
        }
    return image;
}

} // namespace bz::testing
