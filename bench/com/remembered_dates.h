#pragma once

#include <windows.h>

namespace bz::bench {

// A measurement of what the platform's date parsing costs the component: the loaded DLL's import
// of VarDateFromStr answers a text it parsed before from memory. Never the component's own
// behaviour, which parses every text.
void rememberParsedDatesIn(HMODULE module);

} // namespace bz::bench
