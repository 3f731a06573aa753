#include "preview_reader.h"

#include "input_error.h"
#include "input_file.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace bz::preview {

namespace {

using json = nlohmann::json;

std::int64_t dayOf(const json& text) {
    const std::string date = text.get<std::string>();
    int year = 0, month = 0, day = 0;
    if (std::sscanf(date.c_str(), "%4d-%2d-%2d", &year, &month, &day) != 3)
        throw InputError("'" + date + "' is no YYYY-MM-DD date");
    return daysFromCivil({year, month, day});
}

int minutesOf(const json& text) {
    const std::string clock = text.get<std::string>();
    int hour = 0, minute = 0;
    if (std::sscanf(clock.c_str(), "%2d:%2d", &hour, &minute) != 2)
        throw InputError("'" + clock + "' is no HH:MM time");
    return hour * 60 + minute;
}

// 0 for Sunday .. 6 for Saturday.
int weekdayIndex(const std::string& name) {
    static constexpr std::array<const char*, 7> names = {"Sun", "Mon", "Tue", "Wed",
                                                         "Thu", "Fri", "Sat"};
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end())
        throw InputError("'" + name + "' is no weekday");
    return static_cast<int>(found - names.begin());
}

// A day's available and unavailable runs, in order of time.
std::vector<TimeRun> runsOf(const json& day) {
    std::vector<TimeRun> runs;
    for (const auto& [member, cell] :
         {std::pair{"available", Cell::Available}, std::pair{"unavailable", Cell::Unavailable}})
        for (const json& run : day.at(member)) {
            const int from = minutesOf(run.at("from"));
            const int to = minutesOf(run.at("to"));
            runs.push_back({from, to > from ? to : to + 1440, cell, 0});
        }
    std::sort(runs.begin(), runs.end());
    return runs;
}

SnapshotCalendar calendarOf(const json& calendar) {
    SnapshotCalendar read{
        dayOf(calendar.at("firstDay")),          dayOf(calendar.at("closingDay")),
        calendar.at("periodsPerDay").get<int>(), calendar.at("periodMinutes").get<int>(),
        minutesOf(calendar.at("dayStart")),      {}};
    if (calendar.contains("teachingDays"))
        read.teachingDays = calendar["teachingDays"].get<std::vector<std::string>>();
    return read;
}

// Reads the members it needs as the parser reaches them, and drops each resource, report line
// and warning once it has taken what it needs from it.
class PreviewReader {
  public:
    explicit PreviewReader(std::string name) { snapshot_.name = std::move(name); }

    bool take(int depth, json::parse_event_t event, json& parsed) {
        if (event == json::parse_event_t::key && depth <= 2)
            (depth == 1 ? member_ : inner_) = parsed.get<std::string>();
        const bool value =
            event == json::parse_event_t::value || event == json::parse_event_t::object_end;
        if (!value)
            return true;
        if (depth == 1)
            return takeMember(parsed);
        if (depth == 2 && event == json::parse_event_t::object_end && member_ == "resources")
            snapshot_.resources.push_back(resourceOf(parsed));
        else if (depth == 2 && member_ == "warnings")
            snapshot_.warnings.push_back(parsed.at("message").get<std::string>());
        else if (depth == 3 && member_ == "report" && inner_ == "lines")
            snapshot_.report.push_back({parsed.at("hostKey").get<std::string>(),
                                        parsed.at("text").get<std::string>(),
                                        {parsed.at("source").at("file").get<std::string>(),
                                         parsed.at("source").at("line").get<int>()}});
        else
            return true;
        return false;
    }

    Snapshot finish() {
        if (!version_)
            throw InputError("no schemaVersion: a preview of version 1, or no preview");
        return std::move(snapshot_);
    }

  private:
    bool takeMember(const json& parsed) {
        if (member_ == "schemaVersion") {
            version_ = parsed.is_number_integer() ? parsed.get<int>() : -1;
            if (*version_ != previewSchemaVersion)
                throw InputError("a preview of schema version " + parsed.dump() +
                                 "; this previewer compares version " +
                                 std::to_string(previewSchemaVersion));
        } else if (member_ == "calendar") {
            snapshot_.calendar = calendarOf(parsed);
            calendarRead_ = true;
        }
        return member_ != "resources" && member_ != "report" && member_ != "warnings";
    }

    SnapshotResource resourceOf(const json& resource) const {
        if (!calendarRead_)
            throw InputError("its resources come before its calendar");
        SnapshotResource read{
            resource.at("hostKey").get<std::string>(), resource.at("name").get<std::string>(), {}};
        if (resource.contains("days"))
            foldDays(resource["days"], read.groups);
        else
            for (const json& week : resource.at("weeks"))
                read.groups.push_back({daysOf(week), runsOf(week)});
        return read;
    }

    // The dates of a folded week's weekday in each of its weeks.
    std::vector<std::int64_t> daysOf(const json& week) const {
        const std::int64_t first = snapshot_.calendar.firstDay;
        const int offset = (weekdayIndex(week.at("weekday").get<std::string>()) -
                            weekdayIndex(weekdayOfDay(first)) + 7) %
                           7;
        std::vector<std::int64_t> days;
        for (const json& range : week.at("weeks"))
            for (int number = range.at(0).get<int>(); number <= range.at(1).get<int>(); ++number)
                days.push_back(first + 7 * (number - 1) + offset);
        return days;
    }

    static void foldDays(const json& days, std::vector<DayGroup>& groups) {
        std::map<std::vector<TimeRun>, std::size_t> index;
        for (const json& day : days) {
            std::vector<TimeRun> runs = runsOf(day);
            const auto [found, added] = index.try_emplace(runs, groups.size());
            if (added)
                groups.push_back({{}, std::move(runs)});
            groups[found->second].days.push_back(dayOf(day.at("date")));
        }
    }

    Snapshot snapshot_;
    std::optional<int> version_;
    bool calendarRead_ = false;
    std::string member_; // the top-level member being read
    std::string inner_;  // the member of a top-level object being read
};

} // namespace

Snapshot readPreview(const std::string& path) {
    InputFile file(path);
    PreviewReader reader(file.name());
    try {
        // What is left of the document: the members dropped, the calendar among them.
        const json rest = json::parse(
            file.stream(),
            [&](int depth, json::parse_event_t event, json& parsed) {
                return reader.take(depth, event, parsed);
            },
            true, false);
        return reader.finish();
    } catch (const InputError& error) {
        throw InputError(file.name() + ": " + error.what());
    } catch (const json::exception& error) {
        throw InputError(file.name() + ": not a preview this previewer reads: " + error.what());
    }
}

} // namespace bz::preview
