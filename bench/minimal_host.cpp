#include "minimal_host.h"

#include "runtime/error.h"

#include <algorithm>
#include <stdexcept>

namespace bz::bench {

namespace {

// A counted object that the host owns: references are counted, never the last one.
class Counted : public Object {
  public:
    void addRef() noexcept override { ++references_; }
    void release() noexcept override { --references_; }

  private:
    long references_ = 0;
};

std::int32_t longIn(const Argument& argument) {
    return std::get<const Variant*>(argument.value)->get<std::int32_t>();
}

// The interfaces the component asks for, kept by address in the recording.
const Guid* knownInterface(const Guid& iid) {
    static constexpr Guid known[]{host::IID_Resource, host::IID_Availability};
    for (const Guid& candidate : known)
        if (candidate == iid)
            return &candidate;
    throw std::logic_error("a query for an interface the scenario does not use");
}

std::u16string decimal(std::size_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

} // namespace

class MinimalHost::Availability final : public Counted {
  public:
    Availability(MinimalHost& host, std::int32_t periods)
        : host_(host), available_(static_cast<std::size_t>(periods)) {}

    Variant invoke(const MemberId& member, InvokeKind, std::span<const Argument> args,
                   std::span<const std::u16string>) override {
        const std::int32_t first = longIn(args[0]);
        const std::int32_t count = longIn(args[1]);
        const std::int16_t flag = *std::get<Argument::BooleanRef>(args[2].value).value;
        host_.keep({this, RecordedCall::Shape::SetRange, std::get<std::int32_t>(member), nullptr,
                    nullptr, first, count, flag});
        const bool value = flag != 0;
        const auto begin = static_cast<std::size_t>(std::max(first, std::int32_t{0}));
        const auto end =
            std::min(static_cast<std::size_t>(std::max(first + count, 0)), available_.size());
        for (std::size_t p = begin; p < end; ++p)
            available_[p] = value;
        return {};
    }
    ObjectRef queryInterface(const Guid& iid) override {
        host_.keep({this, RecordedCall::Shape::Query, 0, knownInterface(iid), nullptr, 0, 0, 0});
        return iid == host::IID_Availability ? ObjectRef(this) : ObjectRef();
    }

    std::size_t availablePeriods() const {
        return static_cast<std::size_t>(std::count(available_.begin(), available_.end(), true));
    }

  private:
    MinimalHost& host_;
    std::vector<bool> available_;
};

class MinimalHost::Resource final : public Counted {
  public:
    Resource(MinimalHost& host, std::u16string hostKey, std::int32_t periods)
        : host_(host), hostKey_(std::move(hostKey)), name_(u"Room " + hostKey_),
          availability_(host, periods), stored_(ObjectRef(&availability_)) {}

    Variant invoke(const MemberId& member, InvokeKind kind, std::span<const Argument> args,
                   std::span<const std::u16string>) override {
        const std::int32_t id = std::get<std::int32_t>(member);
        if (kind == InvokeKind::PropertyPutRef) {
            stored_ = *std::get<const Variant*>(args[0].value);
            host_.keep({this, RecordedCall::Shape::PutReference, id, nullptr,
                        stored_.get<ObjectRef>().get(), 0, 0, 0});
            return {};
        }
        host_.keep({this, RecordedCall::Shape::Read, id, nullptr, nullptr, 0, 0, 0});
        switch (id) {
        case host::DISPID_ResourceHostKey:
            return hostKey_;
        case host::DISPID_ResourceName:
            return name_;
        case host::DISPID_ResourceAvailability:
            return stored_;
        default:
            raise(ErrorNumber::MemberNotSupported);
        }
    }
    ObjectRef queryInterface(const Guid& iid) override {
        host_.keep({this, RecordedCall::Shape::Query, 0, knownInterface(iid), nullptr, 0, 0, 0});
        return iid == host::IID_Resource ? ObjectRef(this) : ObjectRef();
    }

    const Availability& availability() const { return availability_; }

  private:
    MinimalHost& host_;
    std::u16string hostKey_;
    std::u16string name_;
    Availability availability_;
    Variant stored_;
};

MinimalHost::MinimalHost(std::size_t resources, std::int32_t periods) {
    resources_.reserve(resources);
    for (std::size_t i = 0; i < resources; ++i)
        resources_.push_back(std::make_unique<Resource>(*this, u"R" + decimal(i), periods));
}

MinimalHost::~MinimalHost() = default;

Object& MinimalHost::resource(std::size_t index) {
    return *resources_[index];
}

std::size_t MinimalHost::availablePeriods(std::size_t index) const {
    return resources_[index]->availability().availablePeriods();
}

void MinimalHost::record(bool on) {
    recording_ = on;
    if (on)
        recorded_.clear();
}

void MinimalHost::replay() {
    const bool wasRecording = std::exchange(recording_, false);
    for (const RecordedCall& call : recorded_)
        replayOne(call);
    recording_ = wasRecording;
}

void MinimalHost::replayOne(const RecordedCall& call) {
    Object& object = *call.object;
    switch (call.shape) {
    case RecordedCall::Shape::Query:
        object.queryInterface(*call.iid);
        return;
    case RecordedCall::Shape::Read:
        object.invoke(call.member, InvokeKind::MethodOrPropertyGet, {}, {});
        return;
    case RecordedCall::Shape::PutReference: {
        const Variant assigned(ObjectRef(call.assigned));
        const Argument argument{&assigned};
        object.invoke(call.member, InvokeKind::PropertyPutRef, std::span(&argument, 1), {});
        return;
    }
    case RecordedCall::Shape::SetRange: {
        const Variant first = call.first;
        const Variant count = call.count;
        std::int16_t flag = call.flag;
        const Argument arguments[]{Argument{&first}, Argument{&count},
                                   Argument{Argument::BooleanRef{&flag}}};
        object.invoke(call.member, InvokeKind::Method, arguments, {});
        return;
    }
    }
}

} // namespace bz::bench
