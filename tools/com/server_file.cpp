#include "server_file.h"

#include "runtime/text.h"
#include "utf.h"

#include <windows.h>

#include <fstream>
#include <vector>

namespace bz::preview {

namespace {

// The machine type in the PE headers: the offset of the "PE\0\0" signature at 0x3C, the
// machine right after it.
std::optional<Bitness> machineOf(const std::string& path) {
    std::ifstream file(pathOf(path), std::ios::binary);
    std::uint32_t offset = 0;
    std::uint32_t signature = 0;
    std::uint16_t machine = 0;
    file.seekg(0x3C);
    file.read(reinterpret_cast<char*>(&offset), sizeof offset);
    file.seekg(offset);
    file.read(reinterpret_cast<char*>(&signature), sizeof signature);
    file.read(reinterpret_cast<char*>(&machine), sizeof machine);
    if (!file || signature != 0x00004550)
        return std::nullopt;
    if (machine == IMAGE_FILE_MACHINE_I386)
        return Bitness::X86;
    if (machine == IMAGE_FILE_MACHINE_AMD64)
        return Bitness::X64;
    return std::nullopt;
}

// "1.0.0.0" and the product name (US English, Unicode) from the version block.
void readVersion(const std::wstring& path, ServerFile& file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) &&
        length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        file.version = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                       std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                       std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                       std::to_string(LOWORD(fixed->dwFileVersionLS));
    }
    if (VerQueryValueW(block.data(), L"\\StringFileInfo\\040904b0\\ProductName", &value, &length) &&
        length > 0)
        file.productName = toUtf8(static_cast<const char16_t*>(value));
}

} // namespace

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(pathOf(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ServerFile readServerFile(const std::string& path) {
    ServerFile file{path, fileExists(path), std::nullopt, {}, {}};
    if (!file.exists)
        return file;
    file.machine = machineOf(path);
    readVersion(pathOf(path).wstring(), file);
    return file;
}

} // namespace bz::preview
