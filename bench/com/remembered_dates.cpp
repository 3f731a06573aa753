#include "remembered_dates.h"

#include "dll_imports.h"

#include <oleauto.h>

#include <map>
#include <stdexcept>
#include <string>

namespace bz::bench {

namespace {

using ParseDate = HRESULT(WINAPI*)(OLECHAR*, LCID, ULONG, DATE*);
ParseDate platformParseDate;

HRESULT WINAPI rememberedParseDate(OLECHAR* text, LCID lcid, ULONG flags, DATE* result) {
    static std::map<std::wstring, DATE> parsed;
    if (const auto found = parsed.find(text); found != parsed.end()) {
        *result = found->second;
        return S_OK;
    }
    const HRESULT hr = platformParseDate(text, lcid, flags, result);
    if (SUCCEEDED(hr))
        parsed.emplace(text, *result);
    return hr;
}

} // namespace

void rememberParsedDatesIn(HMODULE module) {
    if (!redirectImport(module, "oleaut32.dll", "VarDateFromStr", &rememberedParseDate,
                        platformParseDate))
        throw std::runtime_error("the DLL imports no VarDateFromStr");
}

} // namespace bz::bench
