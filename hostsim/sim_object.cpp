#include "sim_object.h"

#include <utility>

namespace bz::hostsim {

namespace {

Variant snapshot(const Argument& argument) {
    struct Read {
        Variant operator()(const Variant* v) const { return *v; }
        Variant operator()(std::u16string* s) const { return *s; }
        Variant operator()(Variant* v) const { return *v; }
        Variant operator()(Argument::BooleanRef b) const { return Boolean{*b.value != 0}; }
    };
    return std::visit(Read{}, argument.value);
}

} // namespace

Variant Invocation::value(std::size_t index) const {
    return snapshot(args[index]);
}

Variant SimObject::invoke(const MemberId& member, InvokeKind kind, std::span<const Argument> args,
                          std::span<const std::u16string> namedArgs) {
    checkInvokeArguments(member, kind, args.size(), namedArgs.size());
    Call call{label_, member, kind, {}, {namedArgs.begin(), namedArgs.end()}};
    for (const Argument& argument : args) {
        Variant value = snapshot(argument);
        if (value.holds<ObjectRef>())
            call.args.push_back({argument.variantType(), {}, value.get<ObjectRef>().get()});
        else
            call.args.push_back({argument.variantType(), std::move(value)});
    }
    log_.push_back(std::move(call));
    countCall();

    if (auto failure = failures_.find(member); failure != failures_.end())
        throw failure->second;
    auto answer = members_.find(member);
    if (answer == members_.end())
        raise(ErrorNumber::MemberNotSupported);
    Invocation invocation{kind, args, namedArgs};
    return answer->second(invocation);
}

ObjectRef SimObject::queryInterface(const Guid& iid) {
    for (const Guid& offered : interfaces_)
        if (offered == iid)
            return ObjectRef(this);
    return {};
}

void CallFault::count() {
    if (++calls_ == position_ && error_)
        throw *std::exchange(error_, std::nullopt);
}

void SimObject::setProperty(const MemberId& member, Variant value) {
    define(member, [value = std::move(value)](Invocation&) { return value; });
}

void SimObject::fail(const MemberId& member, AutomationError error) {
    failures_.insert_or_assign(member, std::move(error));
}

AutomationError hostError(std::int32_t hresult, std::u16string description) {
    return AutomationError(hresult, u"Host", std::move(description));
}

} // namespace bz::hostsim
