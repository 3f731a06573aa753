#include "preview_host.h"

#include "hostsim/sim_object.h"
#include "runtime/error.h"

namespace bz::preview {

namespace {

using host::DISPID_AvailabilitySetRange;
using host::DISPID_ResourceAvailability;
using host::DISPID_ResourceHostKey;
using host::DISPID_ResourceName;

std::int32_t longIn(const Variant& value) {
    if (!value.holds<std::int32_t>())
        raise(ErrorNumber::TypeMismatch);
    return value.get<std::int32_t>();
}

} // namespace

void HostObject::release() noexcept {
    if (--references_ == 0 && ownedByReferences_)
        delete this;
}

ObjectRef HostObject::queryInterface(const Guid& iid) {
    return iid == interfaceId() ? ObjectRef(this) : ObjectRef();
}

PreviewCollege::PreviewCollege(std::map<std::u16string, Variant> members)
    : HostObject(false), members_(std::move(members)) {}

Variant PreviewCollege::invoke(const MemberId& member, InvokeKind, std::span<const Argument>,
                               std::span<const std::u16string>) {
    const auto* name = std::get_if<std::u16string>(&member);
    const auto found = name ? members_.find(*name) : members_.end();
    if (found == members_.end())
        raise(ErrorNumber::MemberNotSupported);
    lastRead_ = *name;
    return found->second;
}

const Guid& PreviewCollege::interfaceId() const {
    static constexpr Guid none{};
    return none;
}

// A resource's availability as member 510 hands it out: the periods at the time of the read,
// and the runs member 616 set since, each with the line that set it.
class PreviewResource::Availability : public HostObject {
  public:
    struct Change {
        std::int32_t first;
        std::int32_t count;
        bool available;
        int line;
    };

    Availability(std::shared_ptr<PeriodCells> base, HostContext& context)
        : HostObject(true), base_(std::move(base)), context_(context) {}

    Variant invoke(const MemberId& member, InvokeKind kind, std::span<const Argument> args,
                   std::span<const std::u16string> namedArgs) override {
        if (member != MemberId{DISPID_AvailabilitySetRange} || args.size() != 3)
            raise(ErrorNumber::MemberNotSupported);
        const hostsim::Invocation call{kind, args, namedArgs};
        const bool available = call.value(2).get<Boolean>().value;
        changes_.push_back(
            {longIn(call.value(0)), longIn(call.value(1)), available, context_.line});
        if (available)
            ++context_.effects.availableRuns;
        return {};
    }

    const std::shared_ptr<PeriodCells>& base() const { return base_; }
    const std::vector<Change>& changes() const { return changes_; }

  protected:
    const Guid& interfaceId() const override { return host::IID_Availability; }

  private:
    std::shared_ptr<PeriodCells> base_;
    HostContext& context_;
    std::vector<Change> changes_;
};

PreviewResource::PreviewResource(std::u16string name, std::u16string hostKey, HostContext& context)
    : HostObject(false), name_(std::move(name)), hostKey_(std::move(hostKey)), context_(context),
      cells_(std::make_shared<PeriodCells>()),
      sources_(static_cast<std::size_t>(context.sourcePeriods), 0) {}

Variant PreviewResource::invoke(const MemberId& member, InvokeKind kind,
                                std::span<const Argument> args,
                                std::span<const std::u16string> namedArgs) {
    if (member == MemberId{DISPID_ResourceName}) {
        ++context_.effects.nameReads;
        return name_;
    }
    if (member == MemberId{DISPID_ResourceHostKey})
        return hostKey_;
    if (member != MemberId{DISPID_ResourceAvailability})
        raise(ErrorNumber::MemberNotSupported);
    if (kind == InvokeKind::PropertyPutRef) {
        store(hostsim::Invocation{kind, args, namedArgs}.value(0));
        return {};
    }
    return ObjectRef(new Availability(cells_, context_));
}

int PreviewResource::sourceOf(std::int32_t period) const {
    if (period < 0 || static_cast<std::size_t>(period) >= sources_.size())
        return 0;
    return sources_[static_cast<std::size_t>(period)];
}

const Guid& PreviewResource::interfaceId() const {
    return host::IID_Resource;
}

// The resource takes the object's periods. When nothing else shares the periods it was read
// over, its changes are made in place instead of in a copy.
void PreviewResource::store(const Variant& value) {
    auto* availability = value.holds<ObjectRef>()
                             ? dynamic_cast<Availability*>(value.get<ObjectRef>().get())
                             : nullptr;
    if (!availability)
        raise(ErrorNumber::TypeMismatch);
    if (availability->base() != cells_ || cells_.use_count() > 2)
        cells_ = std::make_shared<PeriodCells>(*availability->base());
    for (const Availability::Change& change : availability->changes()) {
        cells_->set(change.first, change.count, change.available);
        for (std::int32_t period = std::max(change.first, 0);
             period < change.first + change.count && period < context_.sourcePeriods; ++period)
            sources_[static_cast<std::size_t>(period)] = change.line;
    }
    ++context_.effects.availabilityStores;
}

void PreviewTransfer::report(const std::u16string& text, std::int32_t, std::int32_t) {
    text_ = text;
}

} // namespace bz::preview
