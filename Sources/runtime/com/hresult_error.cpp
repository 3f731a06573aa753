#include "hresult_error.h"

#include "bstr.h"
#include "com_ptr.h"
#include "runtime/error.h"

#include <oleauto.h>

#include <new>
#include <string>

namespace bz::com {

namespace {

// The platform's message for `hr`, without its closing line break; empty when it has none.
std::u16string systemMessage(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0)
        return {};
    std::u16string message(reinterpret_cast<const char16_t*>(buffer), length);
    LocalFree(buffer);
    while (!message.empty() && (message.back() == u'\r' || message.back() == u'\n'))
        message.pop_back();
    return message;
}

// A failure without error information describes itself with the platform's message.
[[noreturn]] void raiseWithInfo(HRESULT hr, IErrorInfo* info) {
    UniqueBstr source;
    UniqueBstr description;
    if (!info)
        throw AutomationError(hr, {}, systemMessage(hr));
    info->GetSource(source.put());
    info->GetDescription(description.put());
    throw AutomationError(hr, fromBstr(source.get()), fromBstr(description.get()));
}

} // namespace

void raiseHresult(HRESULT hr) {
    switch (hr) {
    case DISP_E_TYPEMISMATCH:
        raise(ErrorNumber::TypeMismatch);
    case DISP_E_OVERFLOW:
        raise(ErrorNumber::Overflow);
    case DISP_E_UNKNOWNNAME:
    case DISP_E_MEMBERNOTFOUND:
        raise(ErrorNumber::MemberNotSupported);
    default:
        raiseWithInfo(hr, nullptr);
    }
}

void raiseEarlyBoundFailure(HRESULT hr, IUnknown* object, REFIID iid) {
    ComPtr<IErrorInfo> info;
    const auto support = ComPtr<IUnknown>(object).tryQuery<ISupportErrorInfo>();
    if (support && support->InterfaceSupportsErrorInfo(iid) == S_OK)
        GetErrorInfo(0, info.put());
    raiseWithInfo(hr, info.get());
}

HRESULT hresultFromCaughtException(REFIID iid) noexcept {
    try {
        throw;
    } catch (const AutomationError& error) {
        ComPtr<ICreateErrorInfo> create;
        if (SUCCEEDED(CreateErrorInfo(create.put()))) {
            create->SetGUID(iid);
            create->SetSource(const_cast<wchar_t*>(wide(error.source())));
            create->SetDescription(const_cast<wchar_t*>(wide(error.description())));
            if (const auto info = create.tryQuery<IErrorInfo>())
                SetErrorInfo(0, info.get());
        }
        return error.hresult();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace bz::com
