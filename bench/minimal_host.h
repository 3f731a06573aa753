#pragma once

#include "host/host_interfaces.h"
#include "runtime/object.h"
#include "runtime/variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace bz::bench {

// One host call as the component made it, kept compactly to be made again without it: a query
// for an interface, a read, a put-reference of an object, or a call of member 616 with its
// period, count and flag.
struct RecordedCall {
    enum class Shape : std::uint8_t { Query, Read, PutReference, SetRange };
    Object* object;
    Shape shape;
    std::int32_t member;       // a dispatch id
    const Guid* iid;           // Query
    Object* assigned;          // PutReference
    std::int32_t first, count; // SetRange
    std::int16_t flag;         // SetRange
};

// A host that does the least a real one must: resources answer their host key, name and
// availability by dispatch id; an availability object sets bits. Objects are counted but live as
// long as the host. With recording on, every call is kept for replay().
class MinimalHost {
  public:
    MinimalHost(std::size_t resources, std::int32_t periods);
    ~MinimalHost();

    Object& resource(std::size_t index);
    // The periods of a resource set available.
    std::size_t availablePeriods(std::size_t index) const;

    void record(bool on);
    std::size_t recordedCalls() const { return recorded_.size(); }
    // Makes every recorded call again, straight on the host objects.
    void replay();

  private:
    class Availability;
    class Resource;
    friend class Resource;
    friend class Availability;

    void replayOne(const RecordedCall& call);
    void keep(const RecordedCall& call) {
        if (recording_)
            recorded_.push_back(call);
    }

    std::vector<std::unique_ptr<Resource>> resources_;
    std::vector<RecordedCall> recorded_;
    bool recording_ = false;
};

} // namespace bz::bench
