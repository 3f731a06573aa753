#include "transfer_object.h"

#include "runtime/com/bstr.h"
#include "runtime/com/guid.h"
#include "runtime/com/hresult_error.h"

namespace bz::com {

void TransferObjectAdapter::report(const std::u16string& text, std::int32_t flag1,
                                   std::int32_t flag2) {
    using ReportOperation = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, BSTR, LONG, LONG);
    constexpr std::size_t reportEntry = 27;
    const auto* vtable = *reinterpret_cast<ReportOperation* const*>(transfer_.get());
    const UniqueBstr report(text);
    const HRESULT hr = vtable[reportEntry](transfer_.get(), report.get(), flag1, flag2);
    if (FAILED(hr))
        raiseEarlyBoundFailure(hr, transfer_.get(), toGuid(host::IID_Transfer));
}

} // namespace bz::com
