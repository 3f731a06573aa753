#include "college_file.h"

#include "input_error.h"
#include "lines.h"
#include "runtime/error.h"
#include "runtime/text.h"
#include "runtime/variant.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace bz::preview {

namespace {

constexpr std::array<const char*, 7> weekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                     "Thursday", "Friday", "Saturday"};

constexpr std::array<const char*, 6> keys = {"start date",      "start time",     "end time",
                                             "periods per day", "weeks per year", "days of week"};

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

// Reports problems with one value: "file:line: 'key' ...".
struct ValueReader {
    const std::string& where;
    const std::string& key;
    const std::u16string& value;
    const Locale& locale;

    [[noreturn]] void fail(const std::string& problem) const {
        throw InputError(where + ": '" + key + "' " + problem);
    }

    Date date() const {
        try {
            return locale.parseDate(value);
        } catch (const AutomationError&) {
            fail("is not a date or time: '" + toUtf8(value) + "'");
        }
    }

    Date timeOfDay() const {
        const Date time = date();
        if (splitDate(time).day != 0)
            fail("must be a time of day without a date: '" + toUtf8(value) + "'");
        return time;
    }

    std::int16_t number(int low, int high) const {
        int result = 0;
        for (char16_t c : value) {
            if (c < u'0' || c > u'9')
                fail("must be a whole number: '" + toUtf8(value) + "'");
            result = std::min(result * 10 + (c - u'0'), high + 1);
        }
        if (value.empty() || result < low || result > high)
            fail("must lie between " + std::to_string(low) + " and " + std::to_string(high));
        return static_cast<std::int16_t>(result);
    }

    std::int16_t weekday(const std::string& token) const {
        if (token.size() == 1 && token[0] >= '1' && token[0] <= '7')
            return static_cast<std::int16_t>(token[0] - '0');
        for (std::size_t i = 0; i < weekdayNames.size(); ++i) {
            const std::string name = lowered(weekdayNames[i]);
            if (lowered(token) == name || lowered(token) == name.substr(0, 3))
                return static_cast<std::int16_t>(i + 1);
        }
        fail("has '" + token + "', which is not a weekday (Mon..Sun or 1 = Sunday..7)");
    }

    std::vector<std::int16_t> weekdays() const {
        std::vector<std::int16_t> days;
        std::string token;
        const std::string text = toUtf8(value) + " ";
        for (char c : text) {
            if (c != ' ' && c != '\t' && c != ',') {
                token += c;
                continue;
            }
            if (token.empty())
                continue;
            const std::int16_t day = weekday(token);
            if (std::find(days.begin(), days.end(), day) != days.end())
                fail("names " + token + " twice");
            days.push_back(day);
            token.clear();
        }
        if (days.empty())
            fail("names no day");
        return days;
    }
};

} // namespace

const char* weekdayName(int weekday) {
    static constexpr std::array<const char*, 7> shortNames = {"Sun", "Mon", "Tue", "Wed",
                                                              "Thu", "Fri", "Sat"};
    return shortNames.at(static_cast<std::size_t>(weekday - 1));
}

College readCollege(const std::u16string& text, const std::string& fileName, const Locale& locale) {
    std::map<std::string, std::pair<std::string, std::u16string>> values; // key: (where, value)
    for (const NumberedLine& line : contentLines(text)) {
        const std::string where = fileName + ":" + std::to_string(line.number);
        const auto colon = line.text.find(u':');
        if (colon == std::u16string::npos)
            throw InputError(where + ": expected 'key: value', found '" + toUtf8(line.text) + "'");
        const std::string key = lowered(toUtf8(trimmed(line.text.substr(0, colon))));
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            throw InputError(where + ": unknown key '" + key + "'");
        if (!values.try_emplace(key, where, trimmed(line.text.substr(colon + 1))).second)
            throw InputError(where + ": '" + key + "' is given twice");
    }
    for (const char* key : keys)
        if (!values.contains(key))
            throw InputError(fileName + ": '" + key + "' is missing");

    auto reader = [&](const std::string& key) {
        const auto& [where, value] = values.at(key);
        return ValueReader{where, key, value, locale};
    };
    College college;
    college.startDate = reader("start date").date();
    college.startTime = reader("start time").timeOfDay();
    college.endTime = reader("end time").timeOfDay();
    if (college.endTime <= college.startTime)
        reader("end time").fail("must be later than the start time");
    college.periodsPerDay = reader("periods per day").number(1, 1440);
    college.weeksPerYear = reader("weeks per year").number(1, 32767);
    college.daysOfWeek = reader("days of week").weekdays();
    return college;
}

hostsim::CollegeCalendar calendarOf(const College& college) {
    Array days(VarType::Variant, {{0, static_cast<std::uint32_t>(college.daysOfWeek.size())}});
    std::copy(college.daysOfWeek.begin(), college.daysOfWeek.end(), days.elements().begin());
    return {DateValue{college.startDate},  DateValue{college.startTime},
            DateValue{college.endTime},    Integer{college.periodsPerDay},
            Integer{college.weeksPerYear}, std::move(days)};
}

} // namespace bz::preview
