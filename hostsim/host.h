#pragma once

#include "host/host_interfaces.h"
#include "sim_object.h"

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bz::hostsim {

class Host;

// A resource: name (member 400), host key (59) and availability (510). Reading 510 hands out a
// new availability object holding a copy of the periods; only assigning it back (put-reference)
// stores its changes in the resource.
class Resource : public SimObject {
  public:
    Resource(Host& host, std::u16string name, std::u16string hostKey);

    // Period index to availability, as stored in the resource.
    std::map<std::int32_t, bool>& periods() { return periods_; }
    // The stored periods that hold `value`, in order.
    std::vector<std::int32_t> periodsSetTo(bool value) const;

  private:
    std::map<std::int32_t, bool> periods_;
};

// An availability object: member 616 sets a run of periods to a Boolean.
class Availability : public SimObject {
  public:
    Availability(CallLog& log, std::map<std::int32_t, bool> periods);
    const std::map<std::int32_t, bool>& periods() const { return periods_; }

  private:
    std::map<std::int32_t, bool> periods_;
};

// A template's suitability list as GetSuitabilities hands it out: Add appends.
class SuitabilityList : public SimObject {
  public:
    SuitabilityList(CallLog& log, std::vector<SimObject*> items);
    const std::vector<SimObject*>& items() const { return items_; }

  private:
    std::vector<SimObject*> items_;
};

// An activity template with its suitability list (GetSuitabilities / SetSuitabilities).
class ActivityTemplate : public SimObject {
  public:
    ActivityTemplate(Host& host, std::u16string label);
    const std::vector<SimObject*>& suitabilities() const { return suitabilities_; }

  private:
    std::vector<SimObject*> suitabilities_;
};

// The transfer object: records every report it receives, or fails on demand.
class Transfer : public SimObject, public host::TransferObject {
  public:
    explicit Transfer(CallLog& log) : SimObject(u"transfer", log) {}
    void report(const std::u16string& text, std::int32_t flag1, std::int32_t flag2) override;

    struct Report {
        std::u16string text;
        std::int32_t flag1;
        std::int32_t flag2;
    };
    const std::vector<Report>& reports() const { return reports_; }
    void failReports(std::optional<AutomationError> error) { failure_ = std::move(error); }

  private:
    std::vector<Report> reports_;
    std::optional<AutomationError> failure_;
};

// The college's calendar members as the host answers them.
struct CollegeCalendar {
    Variant startDate;
    Variant startTime;
    Variant endTime;
    Variant periodsPerDay;
    Variant weeksPerYear;
    Variant daysOfWeek;
};

// A weekday list as the host hands it out: a one-dimensional Variant array.
Variant weekdayList(std::initializer_list<std::int16_t> weekdays, std::int32_t lowerBound = 0);

// The in-memory host. It owns every object it makes, so reference counts can be read after the
// component has released them; all objects share one call log. Objects refer to each other by
// plain pointers, so every counted reference is one the component (or a test) holds.
class Host {
  public:
    Host();

    CallLog& log() { return log_; }
    // The calls received so far, and a fresh start for the next ones.
    CallLog takeCalls();

    SimObject& college() { return *college_; }
    void setCalendar(const CollegeCalendar& calendar);
    SimObject& suitabilityCollection() { return *suitabilities_; }

    Resource& addResource(std::u16string name, std::u16string hostKey);
    SimObject& addSuitability(std::u16string hostKey);
    ActivityTemplate& addActivityTemplate(std::u16string label);
    Transfer& transfer() { return *transfer_; }

    // An object of the host that is none of the above, answering only what the test defines.
    SimObject& addObject(std::u16string label);

    template <typename T, typename... Args> T& make(Args&&... args) {
        auto object = std::make_unique<T>(std::forward<Args>(args)...);
        T& made = *object;
        made.countCallsIn(callFault_);
        objects_.push_back(std::move(object));
        return made;
    }

    // Counts the calls of every object the host makes, and fails one on demand.
    CallFault& callFault() { return callFault_; }

    // Every object the host made, for reference-count checks.
    const std::deque<std::unique_ptr<SimObject>>& objects() const { return objects_; }

  private:
    CallLog log_;
    CallFault callFault_;
    std::deque<std::unique_ptr<SimObject>> objects_;
    std::vector<std::pair<std::u16string, SimObject*>> suitabilityItems_;
    SimObject* college_;
    SimObject* suitabilities_;
    Transfer* transfer_;
};

// The variant a host method hands out for a new reference to `object`.
Variant refTo(SimObject& object);

} // namespace bz::hostsim
