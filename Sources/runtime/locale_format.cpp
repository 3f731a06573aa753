// A Date's text form in a portable locale.

#include "locale_model.h"

namespace bz {

namespace {

void appendNumber(std::u16string& out, int value, int minDigits) {
    char16_t digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value > 0 || count < minDigits);
    while (count > 0)
        out.push_back(digits[--count]);
}

void appendDate(std::u16string& out, const LocaleModel& model, const CivilDate& date) {
    const int width = model.paddedDate ? 2 : 1;
    const bool monthFirst = model.order == LocaleModel::DateOrder::MonthDayYear;
    appendNumber(out, monthFirst ? date.month : date.day, width);
    out.push_back(model.dateSeparator);
    appendNumber(out, monthFirst ? date.day : date.month, width);
    out.push_back(model.dateSeparator);
    // The year shows its own digits: 1/1/100 in every locale, as the platform writes it.
    appendNumber(out, date.year, 1);
}

void appendTime(std::u16string& out, const LocaleModel& model, const TimeOfDay& time) {
    if (model.twelveHourClock)
        appendNumber(out, time.hour % 12 == 0 ? 12 : time.hour % 12, 1);
    else
        appendNumber(out, time.hour, 2);
    out.push_back(u':');
    appendNumber(out, time.minute, 2);
    out.push_back(u':');
    appendNumber(out, time.second, 2);
    if (model.twelveHourClock)
        out.append(time.hour < 12 ? u" AM" : u" PM");
}

} // namespace

// The date alone when the Date has no time; the time alone (midnight included) on day 0.
std::u16string formatDateText(const LocaleModel& model, Date date) {
    const DateTimeFields fields = dateTimeFields(date);
    std::u16string out;
    if (fields.hasDatePart)
        appendDate(out, model, fields.date);
    if (fields.hasTimePart || !fields.hasDatePart) {
        if (!out.empty())
            out.push_back(u' ');
        appendTime(out, model, fields.time);
    }
    return out;
}

} // namespace bz
