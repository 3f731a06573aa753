#pragma once

#include <windows.h>

#include <string>

namespace bz::test {

// The component's DLL, which the build puts next to the test executables, or the one
// BZ_COMPONENT_DLL names (a Windows path).
std::wstring componentPath();

} // namespace bz::test
