#include "interface_members.h"

#include "runtime/com/hresult_error.h"
#include "runtime/com/type_descriptions.h"

#include <algorithm>

namespace bz::com {

namespace {

DeclaredType declaredType(ITypeInfo& typeInfo, const TYPEDESC& parameter) {
    if (parameter.vt != VT_PTR)
        return {false, VT_EMPTY, std::nullopt};
    const TYPEDESC& pointee = *parameter.lptdesc;
    if (pointee.vt == VT_PTR && pointee.lptdesc->vt == VT_USERDEFINED) {
        ComPtr<ITypeInfo> referenced;
        check(typeInfo.GetRefTypeInfo(pointee.lptdesc->hreftype, referenced.put()));
        return {true, VT_UNKNOWN, attributesOf(*referenced)->guid};
    }
    return {true, pointee.vt, std::nullopt};
}

MemberDescription describe(ITypeInfo& typeInfo, const FUNCDESC& description) {
    const auto parameters = static_cast<UINT>(description.cParams);
    if (parameters > maxParameters)
        raiseHresult(DISP_E_BADPARAMCOUNT);
    const bool hasResult =
        parameters > 0 &&
        (description.lprgelemdescParam[parameters - 1].paramdesc.wParamFlags & PARAMFLAG_FRETVAL);
    MemberDescription member{description.memid,
                             description.invkind,
                             (description.wFuncFlags & FUNCFLAG_FRESTRICTED) != 0,
                             description.oVft,
                             parameters,
                             parameters - (hasResult ? 1 : 0),
                             hasResult,
                             {}};
    for (UINT i = 0; i < parameters; ++i)
        member.types[i] = declaredType(typeInfo, description.lprgelemdescParam[i].tdesc);
    return member;
}

bool byId(const MemberDescription& a, const MemberDescription& b) {
    return a.id < b.id;
}

} // namespace

InterfaceMembers::InterfaceMembers(ITypeInfo& typeInfo) {
    const UINT count = attributesOf(typeInfo)->cFuncs;
    for (UINT i = 0; i < count; ++i) {
        FUNCDESC* description = nullptr;
        check(typeInfo.GetFuncDesc(i, &description));
        const FuncDescPtr owned(description, {&typeInfo});
        members_.push_back(describe(typeInfo, *description));
    }
    std::stable_sort(members_.begin(), members_.end(), byId);
}

const MemberDescription* InterfaceMembers::find(DISPID member, WORD flags) const {
    MemberDescription key{};
    key.id = member;
    const auto [first, last] = std::equal_range(members_.begin(), members_.end(), key, byId);
    const auto found = std::find_if(first, last, [flags](const MemberDescription& candidate) {
        return (candidate.invokeKind & flags) != 0;
    });
    return found == last ? nullptr : &*found;
}

ModuleInterface::Loaded& ModuleInterface::loaded() {
    if (Loaded* loaded = loaded_.load(std::memory_order_acquire))
        return *loaded;
    const std::lock_guard lock(loading_);
    if (!loaded_.load(std::memory_order_relaxed))
        loaded_.store(new Loaded(loader_()), std::memory_order_release);
    return *loaded_.load(std::memory_order_relaxed);
}

} // namespace bz::com
