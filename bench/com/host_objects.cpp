#include "host_objects.h"

#include "host/host_interfaces.h"
#include "runtime/com/bstr.h"
#include "runtime/com/guid.h"

#include <algorithm>

namespace bz::bench {

namespace {

// A text result: the one allocation a host cannot avoid when it hands out a String.
HRESULT textResult(const std::u16string& text, VARIANT* result) {
    if (!result)
        return E_POINTER;
    V_BSTR(result) = com::UniqueBstr(text).detach();
    V_VT(result) = VT_BSTR;
    return S_OK;
}

} // namespace

ComAvailability::ComAvailability(CallRecorder& recorder, std::int32_t periods)
    : RecordingObject(recorder, com::toGuid(host::IID_Availability)),
      available_(static_cast<std::size_t>(periods)) {}

// Member 616 with (Long first period, Long count, Boolean by reference), stored last first.
HRESULT ComAvailability::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                EXCEPINFO*, UINT*) {
    if (member != host::DISPID_AvailabilitySetRange)
        return DISP_E_MEMBERNOTFOUND;
    const VARIANT* args = params->rgvarg;
    if (params->cArgs != 3 || V_VT(&args[2]) != VT_I4 || V_VT(&args[1]) != VT_I4 ||
        V_VT(&args[0]) != (VT_BOOL | VT_BYREF))
        return DISP_E_TYPEMISMATCH;
    const std::int32_t first = V_I4(&args[2]);
    const std::int32_t count = V_I4(&args[1]);
    const VARIANT_BOOL value = *V_BOOLREF(&args[0]);
    recorder_.keep({this, HostCall::Shape::SetRange, 0, member, {}, nullptr, first, count, value});
    const auto size = static_cast<std::int64_t>(available_.size());
    const std::int64_t begin = std::clamp<std::int64_t>(first, 0, size);
    const std::int64_t end = std::clamp<std::int64_t>(std::int64_t{first} + count, begin, size);
    std::fill(available_.begin() + static_cast<std::ptrdiff_t>(begin),
              available_.begin() + static_cast<std::ptrdiff_t>(end), value != VARIANT_FALSE);
    return S_OK;
}

std::size_t ComAvailability::availablePeriods() const {
    return static_cast<std::size_t>(std::count(available_.begin(), available_.end(), true));
}

ComResource::ComResource(CallRecorder& recorder, std::u16string hostKey, std::int32_t periods)
    : RecordingObject(recorder, com::toGuid(host::IID_Resource)), hostKey_(std::move(hostKey)),
      name_(u"Room " + hostKey_), availability_(ComAvailability::create(recorder, periods)),
      stored_(availability_.get()) {}

HRESULT ComResource::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                            VARIANT* result, EXCEPINFO*, UINT*) {
    if (flags & DISPATCH_PROPERTYPUTREF)
        return putReference(member, *params);
    recorder_.keep({this, HostCall::Shape::Read, flags, member, {}, nullptr, 0, 0, 0});
    switch (member) {
    case host::DISPID_ResourceHostKey:
        return textResult(hostKey_, result);
    case host::DISPID_ResourceName:
        return textResult(name_, result);
    case host::DISPID_ResourceAvailability:
        if (!result)
            return E_POINTER;
        V_DISPATCH(result) = com::ComPtr<IDispatch>(stored_).detach();
        V_VT(result) = VT_DISPATCH;
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT ComResource::putReference(DISPID member, const DISPPARAMS& params) {
    if (member != host::DISPID_ResourceAvailability)
        return DISP_E_MEMBERNOTFOUND;
    if (params.cArgs != 1 || V_VT(&params.rgvarg[0]) != VT_DISPATCH)
        return DISP_E_TYPEMISMATCH;
    stored_ = com::ComPtr<IDispatch>(V_DISPATCH(&params.rgvarg[0]));
    recorder_.keep({this,
                    HostCall::Shape::PutReference,
                    DISPATCH_PROPERTYPUTREF,
                    member,
                    {},
                    stored_.get(),
                    0,
                    0,
                    0});
    return S_OK;
}

} // namespace bz::bench
