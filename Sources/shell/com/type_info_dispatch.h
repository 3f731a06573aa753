#pragma once

#include "interface_members.h"
#include "runtime/com/com_ptr.h"

#include <oaidl.h>

namespace bz::com {

// IDispatch for a dual interface, served from its type-library description: names resolve to
// the described dispatch ids, and Invoke coerces every argument to its declared type itself, so
// callers may pass values, typed references or references to Variants (as script hosts do).
//
// Invoke is rebuilt here rather than delegated to ITypeInfo::Invoke because Wine's cannot coerce
// a reference to a Variant (what VBScript passes for every variable) into a typed by-reference
// parameter such as BSTR* or short*, and answers type mismatch where Windows converts. So each
// call maps the arguments to the parameters, makes a temporary of each declared type, calls the
// vtable entry through DispCallFunc with pointers to the temporaries. The type information is
// loaded, and the members described, once per module. Every argument is coerced or refused before
// the member runs; the members never assign their parameters, so the caller's arguments come back
// exactly as they were. A foreign riid and DISPPARAMS whose counts announce arguments they do not
// carry are refused as IDispatch requires.
class TypeInfoDispatch {
  public:
    explicit TypeInfoDispatch(ModuleInterface& served) : interface_(served) {}

    HRESULT getTypeInfo(UINT index, ITypeInfo** result) noexcept;
    HRESULT getIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, DISPID* ids) noexcept;
    // Calls member `member` of `instance`, an interface pointer of the described interface.
    HRESULT invoke(IUnknown* instance, DISPID member, REFIID riid, LCID lcid, WORD flags,
                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                   UINT* argumentError) noexcept;

  private:
    HRESULT invokeMember(IUnknown* instance, DISPID member, LCID lcid, WORD flags,
                         DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                         UINT* argumentError);

    ModuleInterface& interface_;
};

// The vtable description (TKIND_INTERFACE) of interface `iid` in `library`, dual or not.
ComPtr<ITypeInfo> interfaceTypeInfo(ITypeLib& library, REFIID iid);

} // namespace bz::com
