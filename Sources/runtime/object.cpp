#include "object.h"

#include "variant.h"

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

} // namespace bz
