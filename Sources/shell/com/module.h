#pragma once

#include "runtime/com/com_ptr.h"

#include <oaidl.h>

#include <string>

namespace bz::com {

// The full path of this DLL.
std::wstring modulePath();

// The component's own type library, loaded from the module path (not through the registry).
ComPtr<ITypeLib> componentTypeLibrary();

} // namespace bz::com
