#pragma once

namespace bz::com {

// The count that keeps the DLL loaded: one per live object and per class-factory lock.
void addModuleReference() noexcept;
void releaseModuleReference() noexcept;
// Whether no object and no lock remains.
bool moduleIsIdle() noexcept;

// A module reference held for the lifetime of an object.
class ModuleReference {
  public:
    ModuleReference() noexcept { addModuleReference(); }
    ModuleReference(const ModuleReference&) = delete;
    ModuleReference& operator=(const ModuleReference&) = delete;
    ~ModuleReference() { releaseModuleReference(); }
};

} // namespace bz::com
