#include "short_transfer.h"

#include "availability/report_line.h"
#include "college_json.h"
#include "preview_host.h"
#include "runtime/text.h"

#include <array>

namespace bz::preview {

namespace {

// Monday 2 September 2024, Monday to Friday, eight periods of an hour from 09:00 (times as
// fractions of a day, dates year-month-day: read alike in every locale).
constexpr const char* college = R"({"startDate": "2024-09-02", "startTime": 0.375,
    "endTime": 0.7083333333333334, "PeriodsPerDay": 8, "WeeksPerYear": 1,
    "DaysOfWeek": [2, 3, 4, 5, 6]})";

constexpr std::array<const char16_t*, 3> rules = {u"2024-09-02|2024-09-06|1|09:00|10:00",
                                                  u"2024-09-02|2024-09-06|1|11:00|12:00",
                                                  u"2024-09-02|2024-09-06|1|nine|12:00"};
constexpr const char16_t* roomName = u"Check room";
// The first day's periods the rules leave: the first two rules' spans, the rest cleared once.
constexpr const char* expectedDay = "#-#-----";

std::string firstDay(const PeriodCells& cells) {
    std::string day;
    for (std::int32_t period = 0; period < 8; ++period) {
        const Cell cell = cells.at(period);
        day += cell == Cell::Available ? '#' : (cell == Cell::Unavailable ? '-' : '.');
    }
    return day;
}

// The transfer's steps, the step reached in `step`; what the host received that it should not
// have, empty when all is as expected.
std::string runTransfer(const std::function<std::unique_ptr<LinkHelper>()>& create,
                        std::string& step) {
    HostContext context;
    PreviewCollege theCollege(parseCollege(college, "the check's college").members);
    PreviewResource room(roomName, u"BZCHECK", context);
    PreviewTransfer transfer;
    // After the host objects it may hold, gone before them.
    const std::unique_ptr<LinkHelper> helper = create();
    step = "handing over the college";
    helper->setActiveCollegeReference(theCollege);
    step = "preparing the transfer";
    helper->prepareAvailabilityTransfer();
    step = "sending a rule";
    for (const char16_t* rule : rules)
        helper->setAvailabilityByString(room, rule);
    step = "finishing the transfer";
    helper->finishAvailabilityTransfer(transfer);
    const std::u16string report =
        u"\r\n" + AvailabilityReportLine(roomName, stages::parsingPattern);
    if (firstDay(room.cells()) != expectedDay)
        return "the rules left the first day as " + firstDay(room.cells()) + ", not " +
               expectedDay + " (# available, - unavailable, . not written)";
    if (transfer.text() != report)
        return "the host received the report '" + toUtf8(transfer.text()) + "', not '" +
               toUtf8(report) + "'";
    return {};
}

} // namespace

CheckLine checkShortTransfer(const std::function<std::unique_ptr<LinkHelper>()>& create,
                             const std::string& how) {
    const std::string name = "transfer";
    const std::string mend = "mend the failures above; with none, install the release again";
    std::string step = "creating the component";
    try {
        if (std::string wrong = runTransfer(create, step); !wrong.empty())
            return {name, CheckStatus::Failed, how + ": " + wrong, mend};
    } catch (const std::exception& error) {
        // AutomationError from a call, InputError from the creation
        return {name, CheckStatus::Failed, how + ": " + step + " failed: " + error.what(), mend};
    }
    return {name,
            CheckStatus::Ok,
            how + ": a college, three rules (two on one day, one failing) and the report handed "
                  "over, as expected",
            {}};
}

} // namespace bz::preview
