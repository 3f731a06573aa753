#pragma once

#include "runtime/com/com_ptr.h"

#include <oaidl.h>

#include <string>

namespace bz::com {

// The count that keeps the DLL loaded: one per live object and per class-factory lock.
void addModuleReference() noexcept;
void releaseModuleReference() noexcept;

// A module reference held for the lifetime of an object.
class ModuleReference {
  public:
    ModuleReference() noexcept { addModuleReference(); }
    ModuleReference(const ModuleReference&) = delete;
    ModuleReference& operator=(const ModuleReference&) = delete;
    ~ModuleReference() { releaseModuleReference(); }
};

// Whether no object and no lock remains.
bool moduleIsIdle() noexcept;

// The full path of this DLL.
std::wstring modulePath();

// The component's own type library, loaded from the module path (not through the registry).
ComPtr<ITypeLib> componentTypeLibrary();

} // namespace bz::com
