#include "host.h"

#include "runtime/error.h"

namespace bz::hostsim {

namespace {

using host::DISPID_AvailabilitySetRange;
using host::DISPID_ResourceAvailability;
using host::DISPID_ResourceHostKey;
using host::DISPID_ResourceName;

// The object a by-value or by-reference Variant argument refers to.
SimObject& simObjectIn(const Variant& value) {
    if (!value.holds<ObjectRef>() || !value.get<ObjectRef>())
        raise(ErrorNumber::ObjectRequired);
    return static_cast<SimObject&>(*value.get<ObjectRef>().get());
}

// The object an argument refers to, as the kind of host object the member takes.
template <typename T> T& argumentAs(const Variant& value) {
    auto* object = dynamic_cast<T*>(&simObjectIn(value));
    if (!object)
        raise(ErrorNumber::TypeMismatch);
    return *object;
}

std::int32_t longIn(const Variant& value) {
    if (!value.holds<std::int32_t>())
        raise(ErrorNumber::TypeMismatch);
    return value.get<std::int32_t>();
}

} // namespace

Variant refTo(SimObject& object) {
    return ObjectRef(&object);
}

Variant weekdayList(std::initializer_list<std::int16_t> weekdays, std::int32_t lowerBound) {
    Array list(VarType::Variant, {{lowerBound, static_cast<std::uint32_t>(weekdays.size())}});
    std::size_t i = 0;
    for (std::int16_t weekday : weekdays)
        list.elements()[i++] = weekday;
    return list;
}

Resource::Resource(Host& host, std::u16string name, std::u16string hostKey)
    : SimObject(name, host.log()) {
    offer(host::IID_Resource);
    setProperty(DISPID_ResourceName, std::move(name));
    setProperty(DISPID_ResourceHostKey, std::move(hostKey));
    define(DISPID_ResourceAvailability, [this, &host](Invocation& call) -> Variant {
        if (call.kind == InvokeKind::PropertyPutRef) {
            periods_ = argumentAs<Availability>(call.value(0)).periods();
            return {};
        }
        return refTo(host.make<Availability>(host.log(), periods_));
    });
}

std::vector<std::int32_t> Resource::periodsSetTo(bool value) const {
    std::vector<std::int32_t> periods;
    for (const auto& [period, available] : periods_)
        if (available == value)
            periods.push_back(period);
    return periods;
}

Availability::Availability(CallLog& log, std::map<std::int32_t, bool> periods)
    : SimObject(u"availability", log), periods_(std::move(periods)) {
    offer(host::IID_Availability);
    define(DISPID_AvailabilitySetRange, [this](Invocation& call) -> Variant {
        const std::int32_t first = longIn(call.value(0));
        const std::int32_t count = longIn(call.value(1));
        const bool value = call.value(2).get<Boolean>().value;
        for (std::int32_t period = first; period < first + count; ++period)
            periods_[period] = value;
        return {};
    });
}

ActivityTemplate::ActivityTemplate(Host& host, std::u16string label)
    : SimObject(std::move(label), host.log()) {
    define(u"GetSuitabilities", [this, &host](Invocation&) -> Variant {
        return refTo(host.make<SuitabilityList>(host.log(), suitabilities_));
    });
    define(u"SetSuitabilities", [this](Invocation& call) -> Variant {
        suitabilities_ = argumentAs<SuitabilityList>(call.value(1)).items();
        return {};
    });
}

SuitabilityList::SuitabilityList(CallLog& log, std::vector<SimObject*> items)
    : SimObject(u"suitability list", log), items_(std::move(items)) {
    define(u"Add", [this](Invocation& call) -> Variant {
        items_.push_back(&simObjectIn(call.value(0)));
        return {};
    });
}

void Transfer::report(const std::u16string& text, std::int32_t flag1, std::int32_t flag2) {
    countCall();
    if (failure_)
        throw *failure_;
    reports_.push_back({text, flag1, flag2});
}

Host::Host()
    : college_(&make<SimObject>(u"college", log_)),
      suitabilities_(&make<SimObject>(u"suitabilities", log_)), transfer_(&make<Transfer>(log_)) {
    college_->define(u"Suitabilities", [this](Invocation&) { return refTo(*suitabilities_); });
    suitabilities_->define(u"Find", [this](Invocation& call) -> Variant {
        if (call.namedArgs.size() != 1 || call.namedArgs[0] != u"hostkey")
            raise(ErrorNumber::MemberNotSupported);
        const Variant key = call.value(0);
        auto matches = std::make_shared<std::vector<SimObject*>>();
        for (const auto& [itemKey, item] : suitabilityItems_)
            if (key.holds<std::u16string>() && itemKey == key.get<std::u16string>())
                matches->push_back(item);
        SimObject& found = make<SimObject>(u"matches", log_);
        found.define(u"Count", [matches](Invocation&) -> Variant {
            return static_cast<std::int32_t>(matches->size());
        });
        found.define(u"Item", [matches](Invocation& item) -> Variant {
            const Variant index = item.value(0);
            const std::int32_t i = index.holds<std::int16_t>() ? index.get<std::int16_t>() : 0;
            if (i < 1 || static_cast<std::size_t>(i) > matches->size())
                raise(ErrorNumber::SubscriptOutOfRange);
            return refTo(*(*matches)[static_cast<std::size_t>(i - 1)]);
        });
        return refTo(found);
    });
}

CallLog Host::takeCalls() {
    return std::exchange(log_, {});
}

void Host::setCalendar(const CollegeCalendar& calendar) {
    college_->setProperty(u"startDate", calendar.startDate);
    college_->setProperty(u"startTime", calendar.startTime);
    college_->setProperty(u"endTime", calendar.endTime);
    college_->setProperty(u"PeriodsPerDay", calendar.periodsPerDay);
    college_->setProperty(u"WeeksPerYear", calendar.weeksPerYear);
    college_->setProperty(u"DaysOfWeek", calendar.daysOfWeek);
}

Resource& Host::addResource(std::u16string name, std::u16string hostKey) {
    return make<Resource>(*this, std::move(name), std::move(hostKey));
}

SimObject& Host::addSuitability(std::u16string hostKey) {
    SimObject& suitability = make<SimObject>(u"suitability " + hostKey, log_);
    suitabilityItems_.emplace_back(std::move(hostKey), &suitability);
    return suitability;
}

ActivityTemplate& Host::addActivityTemplate(std::u16string label) {
    return make<ActivityTemplate>(*this, std::move(label));
}

SimObject& Host::addObject(std::u16string label) {
    return make<SimObject>(std::move(label), log_);
}

} // namespace bz::hostsim
