#pragma once

#include <windows.h>

#include <string>

namespace bz::test {

// The component's DLL, which the build puts next to the test executables.
std::wstring componentPath();

} // namespace bz::test
