#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <variant>

namespace bz {

class Variant;
class Object;

// A counted reference to an automation object; empty means Nothing.
class ObjectRef {
  public:
    ObjectRef() noexcept = default;
    // Takes a new counted reference on `object`.
    explicit ObjectRef(Object* object) noexcept;
    ObjectRef(const ObjectRef& other) noexcept;
    ObjectRef(ObjectRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ObjectRef& operator=(ObjectRef other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~ObjectRef();

    // Adopts a reference the caller already counted.
    static ObjectRef adopt(Object* object) noexcept;

    Object* get() const noexcept { return object_; }
    Object* operator->() const noexcept { return object_; }
    Object& operator*() const noexcept { return *object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }
    friend bool operator==(const ObjectRef& a, const ObjectRef& b) noexcept {
        return a.object_ == b.object_;
    }

  private:
    Object* object_ = nullptr;
};

// A 128-bit interface identifier.
struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;
    friend bool operator==(const Guid&, const Guid&) = default;
};

// How a member is invoked, as IDispatch::Invoke's flags say. A call whose result is used goes
// out as a method or property read (both flags), as the runtime's late binding does.
enum class InvokeKind { Method, PropertyGet, MethodOrPropertyGet, PropertyPut, PropertyPutRef };

// A member addressed by name (looked up on every call) or by dispatch identifier.
using MemberId = std::variant<std::u16string, std::int32_t>;

// One argument of a late-bound call: a Variant by value, or a reference to the caller's String
// (variant type 0x4008), Variant (0x400C) or Boolean (0x400B).
struct Argument {
    struct BooleanRef {
        std::int16_t* value; // True is -1, False is 0
    };
    std::variant<const Variant*, std::u16string*, Variant*, BooleanRef> value;
    // The variant type the callee sees, by-reference flag 0x4000 included.
    std::uint16_t variantType() const;
};

// An automation object as the component reaches it: counted, late-bound through IDispatch, and
// asked for interfaces by identifier. Host failures are raised as AutomationError.
class Object {
  public:
    virtual void addRef() noexcept = 0;
    virtual void release() noexcept = 0;

    // Invokes a member. `args` are in parameter order (first parameter first); the last
    // `namedArgs.size()` of them are named, in the order of `namedArgs`. What the caller must
    // keep to is checked by checkInvokeArguments.
    virtual Variant invoke(const MemberId& member, InvokeKind kind, std::span<const Argument> args,
                           std::span<const std::u16string> namedArgs) = 0;

    // The object's interface `iid`, or Nothing when it does not offer it.
    virtual ObjectRef queryInterface(const Guid& iid) = 0;

  protected:
    ~Object() = default;
};

// Checks what every invoke requires of its caller: named arguments only with a member name and
// never more names than arguments, a put always with its value. A violation is a programming
// error, raised as std::logic_error before anything is called.
void checkInvokeArguments(const MemberId& member, InvokeKind kind, std::size_t argumentCount,
                          std::size_t nameCount);

} // namespace bz
