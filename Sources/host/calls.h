#pragma once

#include "runtime/object.h"
#include "runtime/variant.h"

#include <initializer_list>
#include <string>

namespace bz::host {

// Late-bound calls on a Variant that should hold an object: Nothing raises error 91, anything
// that is not an object error 424.
Object& objectIn(const Variant& value);
Object& objectIn(const ObjectRef& ref);

// Reads a property by name or dispatch identifier, with no arguments.
Variant get(Object& object, const MemberId& member);
// Calls a method whose result is used (a method or property read, as the runtime invokes it).
Variant call(Object& object, const MemberId& member, std::initializer_list<Argument> args,
             std::initializer_list<std::u16string> namedArgs = {});
// Calls a method whose result is not used.
void callMethod(Object& object, const MemberId& member, std::initializer_list<Argument> args);
// Assigns an object reference to a property (put-reference).
void putReference(Object& object, const MemberId& member, const Variant& value);

// Argument makers.
inline Argument byValue(const Variant& value) {
    return Argument{&value};
}
inline Argument byRef(std::u16string& text) {
    return Argument{&text};
}
inline Argument byRef(Variant& value) {
    return Argument{&value};
}
inline Argument byRefBoolean(std::int16_t& value) {
    return Argument{Argument::BooleanRef{&value}};
}

} // namespace bz::host
