#pragma once

#include "hostsim/host.h"
#include "runtime/com/com_ptr.h"

#include <oaidl.h>

namespace bz::test {

// An in-memory host on the standard calendar, as a script sees it through IDispatch:
//   College                     the college object
//   AddResource(name, hostKey)  a new resource (members 400, 59, 510; the resource interface)
//   Periods(resource)           the resource's stored periods, "16:F,17:T,..." in period order
//   Transfer                    a transfer object whose reports this host receives
//   Reports                     the reports received, an array of texts
//   HeldObjects                 how many host objects someone still holds a reference to
class ScriptHost {
  public:
    ScriptHost();
    ScriptHost(const ScriptHost&) = delete;
    ScriptHost& operator=(const ScriptHost&) = delete;

    com::ComPtr<IDispatch> face();

  private:
    hostsim::Host host_;
    hostsim::CallLog ownCalls_; // calls on the script's face, kept apart from the host's log
    hostsim::SimObject self_;
};

} // namespace bz::test
