#pragma once

#include <memory>
#include <type_traits>

namespace bz::com {

// Gives a value back to the platform with `close(value)`, or, with an `Owner` that lent it out,
// with `(owner->*close)(value)`.
template <class Handle, auto close, class Owner = void> struct CloseWith {
    Owner* owner;
    void operator()(Handle value) const noexcept { (owner->*close)(value); }
};
template <class Handle, auto close> struct CloseWith<Handle, close, void> {
    void operator()(Handle value) const noexcept { close(value); }
};

// Sole owner of a handle or of a description the platform lends out, given back once when it goes
// out of scope: `UniqueAny<HKEY, RegCloseKey>`, or with the owner to give it back to,
// `UniqueAny<TYPEATTR*, &ITypeInfo::ReleaseTypeAttr, ITypeInfo>(attributes, {&typeInfo})`.
template <class Handle, auto close, class Owner = void>
using UniqueAny = std::unique_ptr<std::remove_pointer_t<Handle>, CloseWith<Handle, close, Owner>>;

} // namespace bz::com
