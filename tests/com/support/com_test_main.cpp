// The test programs' entry: COM initialised in a single-threaded apartment, as in the host.
#include "com_test.h"

#include <gmock/gmock.h>
#include <objbase.h>

#include <cstdlib>

namespace bz::test {

std::wstring componentPath() {
    if (const wchar_t* chosen = _wgetenv(L"BZ_COMPONENT_DLL"))
        return chosen;
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"Brenik_Zefa.dll";
}

} // namespace bz::test

int main(int argc, char** argv) {
    testing::InitGoogleMock(&argc, argv);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 2;
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
