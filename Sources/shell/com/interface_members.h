#pragma once

#include "runtime/com/com_ptr.h"

#include <oaidl.h>

#include <array>
#include <atomic>
#include <mutex>
#include <optional>
#include <vector>

namespace bz::com {

// The most parameters, the result's included, a member of the interfaces served declares.
inline constexpr std::size_t maxParameters = 4;

// A parameter as declared: the pointed-to type, and for an interface pointer the interface it
// must be queried for. Every parameter of the interfaces served is a pointer; any other is
// refused when its member is called.
struct DeclaredType {
    bool pointer;
    VARTYPE type;
    std::optional<IID> interfaceId;
};

// One member as its description declares it.
struct MemberDescription {
    DISPID id;
    INVOKEKIND invokeKind;
    bool restricted;
    SHORT vtableOffset;
    UINT parameters; // the result's included
    UINT inputs;     // the parameters the caller passes
    bool hasResult;
    std::array<DeclaredType, maxParameters> types;
};

// The members of a vtable interface's description, read once and kept as plain data: a call
// finds its member by dispatch id without asking the type information.
class InterfaceMembers {
  public:
    explicit InterfaceMembers(ITypeInfo& typeInfo);

    // The member `member` that answers `flags`, the first in the description's order, or null.
    const MemberDescription* find(DISPID member, WORD flags) const;

  private:
    std::vector<MemberDescription> members_; // by dispatch id, else in the description's order
};

// One interface the module serves: its description is loaded on first use, once per module,
// whichever object asks first, and kept with its members until the module unloads. A failed load
// raises and is tried again on the next use.
class ModuleInterface {
  public:
    using Loader = ComPtr<ITypeInfo> (*)();
    // `loader` yields the interface's description (TKIND_INTERFACE).
    explicit ModuleInterface(Loader loader) : loader_(loader) {}
    ModuleInterface(const ModuleInterface&) = delete;
    ModuleInterface& operator=(const ModuleInterface&) = delete;
    ~ModuleInterface() { delete loaded_.load(); }

    ITypeInfo& typeInfo() { return *loaded().typeInfo; }
    const InterfaceMembers& members() { return loaded().members; }

  private:
    struct Loaded {
        explicit Loaded(ComPtr<ITypeInfo> description)
            : typeInfo(std::move(description)), members(*typeInfo) {}
        ComPtr<ITypeInfo> typeInfo;
        InterfaceMembers members;
    };
    Loaded& loaded();

    Loader loader_;
    std::mutex loading_;
    std::atomic<Loaded*> loaded_{nullptr};
};

} // namespace bz::com
