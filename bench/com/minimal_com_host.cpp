#include "minimal_com_host.h"

#include "runtime/com/unique_variant.h"

#include <string>

namespace bz::bench {

namespace {

std::u16string hostKey(std::size_t index) {
    const std::string digits = std::to_string(index);
    std::u16string key = u"R";
    key.append(digits.begin(), digits.end());
    return key;
}

void replayRead(const HostCall& call) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    com::UniqueVariant result;
    call.object->Invoke(call.member, IID_NULL, LOCALE_USER_DEFAULT, call.flags, &none, result.put(),
                        nullptr, nullptr);
}

void replayPutReference(const HostCall& call) {
    VARIANT assigned;
    V_VT(&assigned) = VT_DISPATCH;
    V_DISPATCH(&assigned) = call.assigned;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&assigned, &put, 1, 1};
    call.object->Invoke(call.member, IID_NULL, LOCALE_USER_DEFAULT, call.flags, &params, nullptr,
                        nullptr, nullptr);
}

// Member 616's arguments as the component passes them: the Boolean by reference, last first.
void replaySetRange(const HostCall& call) {
    VARIANT_BOOL value = call.value;
    VARIANT args[3];
    V_VT(&args[0]) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&args[0]) = &value;
    V_VT(&args[1]) = VT_I4;
    V_I4(&args[1]) = call.count;
    V_VT(&args[2]) = VT_I4;
    V_I4(&args[2]) = call.first;
    DISPPARAMS params{args, nullptr, 3, 0};
    call.object->Invoke(call.member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                        nullptr, nullptr, nullptr);
}

void replayQuery(const HostCall& call) {
    com::ComPtr<IUnknown> found;
    call.object->QueryInterface(call.iid, reinterpret_cast<void**>(found.put()));
}

} // namespace

MinimalComHost::MinimalComHost(std::size_t resources, std::int32_t periods) {
    resources_.reserve(resources);
    for (std::size_t i = 0; i < resources; ++i)
        resources_.push_back(ComResource::create(recorder_, hostKey(i), periods));
}

std::size_t MinimalComHost::availablePeriods() const {
    std::size_t periods = 0;
    for (const auto& resource : resources_)
        periods += resource->availability().availablePeriods();
    return periods;
}

void MinimalComHost::replay() const {
    for (const HostCall& call : recorder_.calls()) {
        switch (call.shape) {
        case HostCall::Shape::Query:
            replayQuery(call);
            break;
        case HostCall::Shape::Read:
            replayRead(call);
            break;
        case HostCall::Shape::PutReference:
            replayPutReference(call);
            break;
        case HostCall::Shape::SetRange:
            replaySetRange(call);
            break;
        }
    }
}

} // namespace bz::bench
