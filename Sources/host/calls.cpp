#include "calls.h"

#include "runtime/error.h"

namespace bz::host {

Object& objectIn(const ObjectRef& ref) {
    if (!ref)
        raise(ErrorNumber::ObjectVariableNotSet);
    return *ref;
}

Object& objectIn(const Variant& value) {
    if (!value.holds<ObjectRef>())
        raise(ErrorNumber::ObjectRequired);
    return objectIn(value.get<ObjectRef>());
}

Variant get(Object& object, const MemberId& member) {
    return object.invoke(member, InvokeKind::MethodOrPropertyGet, {}, {});
}

Variant call(Object& object, const MemberId& member, std::initializer_list<Argument> args,
             std::initializer_list<std::u16string> namedArgs) {
    return object.invoke(member, InvokeKind::MethodOrPropertyGet,
                         std::span(args.begin(), args.size()),
                         std::span(namedArgs.begin(), namedArgs.size()));
}

void callMethod(Object& object, const MemberId& member, std::initializer_list<Argument> args) {
    object.invoke(member, InvokeKind::Method, std::span(args.begin(), args.size()), {});
}

void putReference(Object& object, const MemberId& member, const Variant& value) {
    const Argument argument = byValue(value);
    object.invoke(member, InvokeKind::PropertyPutRef, std::span(&argument, 1), {});
}

} // namespace bz::host
