#include "object.h"

#include "variant.h"

#include <stdexcept>

namespace bz {

ObjectRef::ObjectRef(Object* object) noexcept : object_(object) {
    if (object_)
        object_->addRef();
}

ObjectRef::ObjectRef(const ObjectRef& other) noexcept : ObjectRef(other.object_) {}

ObjectRef::~ObjectRef() {
    if (object_)
        object_->release();
}

ObjectRef ObjectRef::adopt(Object* object) noexcept {
    ObjectRef ref;
    ref.object_ = object;
    return ref;
}

std::uint16_t Argument::variantType() const {
    struct TypeOf {
        std::uint16_t operator()(const Variant* v) const { return v->variantType(); }
        std::uint16_t operator()(std::u16string*) const {
            return byRefFlag | static_cast<std::uint16_t>(VarType::String);
        }
        std::uint16_t operator()(Variant*) const {
            return byRefFlag | static_cast<std::uint16_t>(VarType::Variant);
        }
        std::uint16_t operator()(BooleanRef) const {
            return byRefFlag | static_cast<std::uint16_t>(VarType::Boolean);
        }
    };
    return std::visit(TypeOf{}, value);
}

void checkInvokeArguments(const MemberId& member, InvokeKind kind, std::size_t argumentCount,
                          std::size_t nameCount) {
    if (nameCount > 0 && !std::holds_alternative<std::u16string>(member))
        throw std::logic_error("named arguments need a member name");
    if (nameCount > argumentCount)
        throw std::logic_error("more argument names than arguments");
    const bool put = kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef;
    if (put && argumentCount <= nameCount)
        throw std::logic_error("a property put without its value");
}

} // namespace bz
