#pragma once

#include "hostsim/sim_object.h"

#include <string>
#include <vector>

namespace bz::test {

// The calls an in-memory host received, one line each, for comparing whole call sequences:
// kind (call, get, call|get, let, set), object label, member name or dispatch id, then each
// argument as hexadecimal variant type and value, named ones with their name:
//   call|get suitabilities.Find(hostkey:=4008 "LAB")
//   call availability.616(3 32, 3 16, 400B False)
//   set Room 12.510(9 availability)
std::vector<std::string> callText(const hostsim::CallLog& calls);

} // namespace bz::test
