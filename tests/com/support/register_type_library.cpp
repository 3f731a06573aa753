// Registers the type libraries named on the command line, as installing the host's libraries
// would. Test support: makes the stand-in host libraries known to the Wine prefix.
#include <windows.h>

#include <oleauto.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        ITypeLib* library = nullptr;
        const HRESULT hr = LoadTypeLibEx(argv[i], REGKIND_REGISTER, &library);
        if (FAILED(hr)) {
            std::fwprintf(stderr, L"%ls: 0x%08lx\n", argv[i], static_cast<unsigned long>(hr));
            return 1;
        }
        library->Release();
    }
    return 0;
}
