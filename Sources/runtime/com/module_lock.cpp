#include "module_lock.h"

#include <atomic>

namespace bz::com {

namespace {

std::atomic<long> moduleReferences{0};

} // namespace

void addModuleReference() noexcept {
    ++moduleReferences;
}
void releaseModuleReference() noexcept {
    --moduleReferences;
}

bool moduleIsIdle() noexcept {
    return moduleReferences == 0;
}

} // namespace bz::com
