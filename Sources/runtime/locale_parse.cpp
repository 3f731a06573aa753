// Text to Date in a portable locale: a date, a time of day, or a date followed by a time.
//
// The text is cut into tokens (numbers, month names, AM/PM, separators, blank runs) and matched
// against a small grammar:
//   text  = date | time | date blank time | time blank date
//   date  = num sep num sep num          (same separator twice; year first when the first
//                                         number has three or more digits, else locale order)
//         | num loose month loose num    (day month year)
//         | month loose num loose num    (month day year)
//         | num sep num                  (day and month in locale order, of the current year;
//                                         a month and a year of three or more digits)
//         | num loose month | month loose num
//   time  = num ":" num [":" num] [blank] [ampm] | num [blank] ampm
// Numeric dates whose month is out of range but would be a valid day are read with day and month
// swapped (13/1/2024 is 13 January in en-US), as the platform reads them. The fields are checked
// only after the whole text matched: an impossible date or time is error 13, a year outside
// 100..9999 error 6.

#include "error.h"
#include "locale_model.h"

#include <array>
#include <chrono>

namespace bz {

namespace {

enum class Kind : unsigned char { Number, Month, Am, Pm, Separator, Blank };

struct Token {
    Kind kind;
    char16_t separator; // Separator: the character
    int value;          // Number: the value, saturated; Month: 1..12
    int digits;         // Number: the digit count, saturated
};

// More tokens than the longest text the grammar accepts ("January 2, 1970 01:20:34 PM" has 17).
constexpr std::size_t maxTokens = 24;
constexpr int saturated = 1'000'000;
constexpr std::size_t maxWord = 12;

struct Tokens {
    std::array<Token, maxTokens> items;
    std::size_t count = 0;
};

bool isLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
           (c >= u'\u00C0' && c <= u'\u00FF' && c != u'\u00D7' && c != u'\u00F7');
}

char16_t lowerCase(char16_t c) {
    const bool upper = (c >= u'A' && c <= u'Z') || (c >= u'\u00C0' && c <= u'\u00DE');
    return upper ? static_cast<char16_t>(c + 0x20) : c;
}

bool wordToken(const LocaleModel& model, std::u16string_view word, Token& token) {
    if (word == u"am" || word == u"pm") {
        token = {word == u"am" ? Kind::Am : Kind::Pm, 0, 0, 0};
        return true;
    }
    for (std::size_t i = 0; i < model.monthNames.size(); ++i) {
        if (model.monthNames[i] == word) {
            token = {Kind::Month, 0, static_cast<int>(i % 12) + 1, 0};
            return true;
        }
    }
    return false;
}

// Tokens of a trimmed text; false for a character or word that no date or time contains.
bool tokenize(const LocaleModel& model, std::u16string_view text, Tokens& tokens) {
    for (std::size_t i = 0; i < text.size();) {
        if (tokens.count == maxTokens)
            return false;
        Token& token = tokens.items[tokens.count++];
        const char16_t c = text[i];
        if (isBlank(c)) {
            while (i < text.size() && isBlank(text[i]))
                ++i;
            token = {Kind::Blank, 0, 0, 0};
        } else if (isDigit(c)) {
            token = {Kind::Number, 0, 0, 0};
            for (; i < text.size() && isDigit(text[i]); ++i) {
                token.value =
                    token.value < saturated ? token.value * 10 + (text[i] - u'0') : saturated;
                token.digits += token.digits < 99 ? 1 : 0;
            }
        } else if (isLetter(c)) {
            char16_t word[maxWord];
            std::size_t length = 0;
            for (; i < text.size() && isLetter(text[i]); ++i) {
                if (length == maxWord)
                    return false;
                word[length++] = lowerCase(text[i]);
            }
            if (!wordToken(model, {word, length}, token))
                return false;
        } else if (std::u16string_view(u"/-.:,").find(c) != std::u16string_view::npos) {
            token = {Kind::Separator, c, 0, 0};
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

struct Fields {
    CivilDate date{1899, 12, 30};
    TimeOfDay time{0, 0, 0};
    bool currentYear = false; // the text named no year
};

// Years of one or two digits fall in 1930..2029.
int yearOf(const Token& token) {
    if (token.digits > 2)
        return token.value;
    return token.value + (token.value < 30 ? 2000 : 1900);
}

class Matcher {
  public:
    Matcher(const LocaleModel& model, const Tokens& tokens) : model_(model), tokens_(tokens) {}

    bool text(Fields& fields) const {
        std::size_t end = 0;
        if (time(0, end, fields.time))
            return end == tokens_.count ||
                   (is(end, Kind::Blank) && anyDate(end + 1, end, fields) && end == tokens_.count);
        if (!anyDate(0, end, fields))
            return false;
        if (end == tokens_.count)
            return true;
        return is(end, Kind::Blank) && time(end + 1, end, fields.time) && end == tokens_.count;
    }

  private:
    bool is(std::size_t at, Kind kind) const {
        return at < tokens_.count && tokens_.items[at].kind == kind;
    }
    bool isSeparator(std::size_t at, char16_t c) const {
        return is(at, Kind::Separator) && tokens_.items[at].separator == c;
    }
    const Token& operator[](std::size_t at) const { return tokens_.items[at]; }

    bool anyDate(std::size_t at, std::size_t& end, Fields& fields) const {
        return date(at, end, fields.date) || dateWithoutYear(at, end, fields);
    }

    bool date(std::size_t at, std::size_t& end, CivilDate& date) const {
        return numericDate(at, end, date) || namedDate(at, end, date);
    }

    // A separator of numeric dates, with blanks around it, or blanks alone (reported as u' ').
    bool dateSeparator(std::size_t& at, char16_t& separator) const {
        const bool blank = is(at, Kind::Blank);
        const std::size_t next = at + (blank ? 1 : 0);
        if (is(next, Kind::Separator) &&
            model_.dateSeparators.find((*this)[next].separator) != std::u16string_view::npos) {
            separator = (*this)[next].separator;
            at = next + (is(next + 1, Kind::Blank) ? 2 : 1);
            return true;
        }
        separator = u' ';
        at = next;
        return blank;
    }

    bool numericDate(std::size_t at, std::size_t& end, CivilDate& date) const {
        char16_t first = 0;
        char16_t second = 0;
        const std::size_t a = at;
        if (!is(a, Kind::Number) || !dateSeparator(++at, first))
            return false;
        const std::size_t b = at;
        if (!is(b, Kind::Number) || !dateSeparator(++at, second) || second != first)
            return false;
        const std::size_t c = at;
        if (!is(c, Kind::Number))
            return false;
        end = c + 1;
        if ((*this)[a].digits > 2)
            date = swapImpossibleMonth({yearOf((*this)[a]), (*this)[b].value, (*this)[c].value});
        else
            date = inLocaleOrder(yearOf((*this)[c]), (*this)[a], (*this)[b]);
        return true;
    }

    // The day and month of two numbers in the locale's order.
    CivilDate inLocaleOrder(int year, const Token& first, const Token& second) const {
        if (model_.order == LocaleModel::DateOrder::MonthDayYear)
            return swapImpossibleMonth({year, first.value, second.value});
        return swapImpossibleMonth({year, second.value, first.value});
    }

    static CivilDate swapImpossibleMonth(CivilDate date) {
        if (date.month > 12 && date.day >= 1 && date.day <= 12)
            return {date.year, date.day, date.month};
        return date;
    }

    // A day and month in the current year, or a month and a year: "5/1", "Jan 5", "5. Januar",
    // "5/2024".
    bool dateWithoutYear(std::size_t at, std::size_t& end, Fields& fields) const {
        const std::size_t a = at;
        char16_t separator = 0;
        if (is(a, Kind::Number) && dateSeparator(++at, separator) && is(at, Kind::Number)) {
            const Token& x = (*this)[a];
            const Token& y = (*this)[at];
            end = at + 1;
            if (x.digits > 2 || y.digits > 2) {
                const bool yearFirst = x.digits > 2;
                fields.date = {(yearFirst ? x : y).value, (yearFirst ? y : x).value, 1};
                return true;
            }
            fields.date = inLocaleOrder(0, x, y);
            fields.currentYear = true;
            return true;
        }
        at = a;
        if (!is(at, Kind::Number) && !is(at, Kind::Month))
            return false;
        const std::size_t first = at++;
        if (!looseSeparator(at) || !(is(at, Kind::Number) || is(at, Kind::Month)))
            return false;
        const Token& x = (*this)[first];
        const Token& y = (*this)[at];
        end = at + 1;
        if (x.kind == Kind::Number && y.kind == Kind::Month)
            fields.date = {0, y.value, x.value};
        else if (x.kind == Kind::Month && y.kind == Kind::Number)
            fields.date = {0, x.value, y.value};
        else
            return false;
        fields.currentYear = true;
        return true;
    }

    // Blanks and at most one separator between the parts of a date with a month name.
    bool looseSeparator(std::size_t& at) const {
        const std::size_t start = at;
        at += is(at, Kind::Blank) ? 1 : 0;
        if (is(at, Kind::Separator) && !isSeparator(at, u':')) {
            ++at;
            at += is(at, Kind::Blank) ? 1 : 0;
        }
        return at > start;
    }

    bool namedDate(std::size_t at, std::size_t& end, CivilDate& date) const {
        std::size_t parts[3];
        for (std::size_t k = 0; k < 3; ++k) {
            if (k > 0 && !looseSeparator(at))
                return false;
            if (!is(at, Kind::Number) && !is(at, Kind::Month))
                return false;
            parts[k] = at++;
        }
        end = at;
        const Token& x = (*this)[parts[0]];
        const Token& y = (*this)[parts[1]];
        const Token& z = (*this)[parts[2]];
        if (z.kind != Kind::Number)
            return false;
        if (x.kind == Kind::Number && y.kind == Kind::Month)
            date = {yearOf(z), y.value, x.value};
        else if (x.kind == Kind::Month && y.kind == Kind::Number)
            date = {yearOf(z), x.value, y.value};
        else
            return false;
        return true;
    }

    // An hour, minute or second: one or two digits.
    bool isTimeField(std::size_t at) const {
        return is(at, Kind::Number) && (*this)[at].digits <= 2;
    }

    bool time(std::size_t at, std::size_t& end, TimeOfDay& result) const {
        if (!isTimeField(at))
            return false;
        TimeOfDay time{(*this)[at++].value, 0, 0};
        const bool clock = isSeparator(at, u':');
        if (clock) {
            if (!isTimeField(at + 1))
                return false;
            time.minute = (*this)[at + 1].value;
            at += 2;
            if (isSeparator(at, u':')) {
                if (!isTimeField(at + 1))
                    return false;
                time.second = (*this)[at + 1].value;
                at += 2;
            }
        }
        const std::size_t marker = at + (is(at, Kind::Blank) ? 1 : 0);
        const bool am = is(marker, Kind::Am);
        const bool pm = is(marker, Kind::Pm);
        if (!clock && !am && !pm)
            return false;
        end = am || pm ? marker + 1 : at;
        if (time.hour > 23 || time.minute > 59 || time.second > 59)
            return false;
        // A marker only moves hours 0..12 ("13:00 AM" stays 13:00, as the platform reads it).
        if (am && time.hour == 12)
            time.hour = 0;
        else if (pm && time.hour < 12)
            time.hour += 12;
        result = time;
        return true;
    }

    const LocaleModel& model_;
    const Tokens& tokens_;
};

// A date is real when it survives the round trip: daysFromCivil carries month 13 or 31 February
// into another date.
bool isValid(const CivilDate& date) {
    const CivilDate back = civilFromDays(daysFromCivil(date));
    return back.year == date.year && back.month == date.month && back.day == date.day;
}

} // namespace

int systemClockYear() {
    using namespace std::chrono;
    return static_cast<int>(year_month_day(floor<days>(system_clock::now())).year());
}

Date parseDateText(const LocaleModel& model, std::u16string_view text, CurrentYear currentYear) {
    Tokens tokens;
    Fields fields;
    if (!tokenize(model, trimBlanks(text), tokens) || tokens.count == 0 ||
        !Matcher(model, tokens).text(fields))
        raise(ErrorNumber::TypeMismatch);
    if (fields.currentYear)
        fields.date.year = currentYear();
    if (!isValid(fields.date))
        raise(ErrorNumber::TypeMismatch);
    if (fields.date.year < 100 || fields.date.year > 9999)
        raise(ErrorNumber::Overflow);
    return makeDate(fields.date, fields.time);
}

} // namespace bz
