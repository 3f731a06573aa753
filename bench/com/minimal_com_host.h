#pragma once

#include "host_call.h"
#include "host_objects.h"

#include "runtime/com/com_ptr.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bz::bench {

// A COM host that does the least a real one must: resources and their availabilities as
// IDispatch objects answering by dispatch id. With recording on, every host-side Invoke and
// QueryInterface is kept for replay().
class MinimalComHost {
  public:
    MinimalComHost(std::size_t resources, std::int32_t periods);

    IDispatch& resource(std::size_t index) { return *resources_[index].get(); }
    std::size_t resourceCount() const { return resources_.size(); }
    // The periods set available, over all resources.
    std::size_t availablePeriods() const;

    void record(bool on) { recorder_.record(on); }
    const std::vector<HostCall>& recordedCalls() const { return recorder_.calls(); }
    // Makes every recorded call again, straight on the host objects, as the component made it.
    void replay() const;

  private:
    CallRecorder recorder_;
    std::vector<com::ComPtr<ComResource>> resources_;
};

} // namespace bz::bench
