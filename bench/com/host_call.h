#pragma once

#include <oaidl.h>

#include <cstdint>
#include <vector>

namespace bz::bench {

// One host call as the component made it through COM, kept compactly to be made again without
// it: a QueryInterface, or an Invoke that reads a member, puts an object reference or sets a run
// of periods (member 616).
struct HostCall {
    enum class Shape : std::uint8_t { Query, Read, PutReference, SetRange };
    IDispatch* object;
    Shape shape;
    WORD flags;                // Read, PutReference
    DISPID member;             // every Invoke
    GUID iid;                  // Query
    IDispatch* assigned;       // PutReference
    std::int32_t first, count; // SetRange
    VARIANT_BOOL value;        // SetRange
};

// The host calls of one transfer, kept while recording is on.
class CallRecorder {
  public:
    void record(bool on) {
        recording_ = on;
        if (on)
            calls_.clear();
    }
    void keep(const HostCall& call) {
        if (recording_)
            calls_.push_back(call);
    }
    const std::vector<HostCall>& calls() const { return calls_; }

  private:
    std::vector<HostCall> calls_;
    bool recording_ = false;
};

} // namespace bz::bench
