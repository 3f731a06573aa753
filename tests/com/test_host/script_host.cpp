#include "script_host.h"

#include "host/com/dispatch_object.h"
#include "host_dispatch.h"
#include "runtime/error.h"
#include "runtime/text.h"
#include "standard_calendar.h"
#include "transfer_stand_in.h"

#include <string>

namespace bz::test {

namespace {

using hostsim::Invocation;

std::u16string textIn(const Variant& value) {
    if (!value.holds<std::u16string>())
        raise(ErrorNumber::TypeMismatch);
    return value.get<std::u16string>();
}

hostsim::Resource& resourceIn(const Variant& value) {
    auto* resource =
        value.isObject() ? dynamic_cast<hostsim::Resource*>(value.get<ObjectRef>().get()) : nullptr;
    if (!resource)
        raise(ErrorNumber::TypeMismatch);
    return *resource;
}

std::u16string periodsText(hostsim::Resource& resource) {
    std::string text;
    for (const auto& [period, available] : resource.periods()) {
        if (!text.empty())
            text += ',';
        text += std::to_string(period);
        text += available ? ":T" : ":F";
    }
    return fromUtf8(text);
}

} // namespace

ScriptHost::ScriptHost() : self_(u"script host", ownCalls_) {
    host_.setCalendar(standardCalendar());
    self_.define(u"College", [this](Invocation&) { return hostsim::refTo(host_.college()); });
    self_.define(u"AddResource", [this](Invocation& call) {
        return hostsim::refTo(host_.addResource(textIn(call.value(0)), textIn(call.value(1))));
    });
    self_.define(u"Periods", [](Invocation& call) -> Variant {
        return periodsText(resourceIn(call.value(0)));
    });
    self_.define(u"Transfer", [this](Invocation&) -> Variant {
        return com::DispatchObject::wrap(
            transferStandIn(host_.transfer()).tryQuery<IDispatch>(IID_IDispatch));
    });
    self_.define(u"Reports", [this](Invocation&) -> Variant {
        const auto& reports = host_.transfer().reports();
        Array texts(VarType::Variant, {{0, static_cast<std::uint32_t>(reports.size())}});
        for (std::size_t i = 0; i < reports.size(); ++i)
            texts.elements()[i] = reports[i].text;
        return texts;
    });
    self_.define(u"HeldObjects", [this](Invocation&) -> Variant {
        std::int32_t held = 0;
        for (const auto& object : host_.objects())
            held += object->references() != 0 ? 1 : 0;
        return held;
    });
}

com::ComPtr<IDispatch> ScriptHost::face() {
    return com::hostDispatch(ObjectRef(&self_));
}

} // namespace bz::test
