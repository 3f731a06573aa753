// The portable locales: en-US, en-GB and de-DE as the platform's conversions treat them.

#include "locale.h"

#include "integer.h"
#include "locale_model.h"

#include <cstdlib>

namespace bz {

namespace {

constexpr std::u16string_view englishMonths[] = {
    u"january",   u"february", u"march",    u"april",    u"may", u"june", u"july", u"august",
    u"september", u"october",  u"november", u"december", u"jan", u"feb",  u"mar",  u"apr",
    u"may",       u"jun",      u"jul",      u"aug",      u"sep", u"oct",  u"nov",  u"dec",
};

constexpr std::u16string_view germanMonths[] = {
    u"januar",    u"februar", u"m\u00e4rz", u"april",    u"mai", u"juni", u"juli",     u"august",
    u"september", u"oktober", u"november",  u"dezember", u"jan", u"feb",  u"m\u00e4r", u"apr",
    u"mai",       u"jun",     u"jul",       u"aug",      u"sep", u"okt",  u"nov",      u"dez",
};

constexpr LocaleModel enUs{
    LocaleModel::DateOrder::MonthDayYear, u'/', u"/-", false, true, englishMonths, u'.', u','};
constexpr LocaleModel enGb{
    LocaleModel::DateOrder::DayMonthYear, u'/', u"/-", true, false, englishMonths, u'.', u','};
constexpr LocaleModel deDe{
    LocaleModel::DateOrder::DayMonthYear, u'.', u".-/", true, false, germanMonths, u',', u'.'};

class PortableLocale final : public Locale {
  public:
    PortableLocale(const LocaleModel& model, CurrentYear currentYear)
        : model_(model), currentYear_(currentYear) {}

    std::u16string formatDate(Date date) const override { return formatDateText(model_, date); }
    Date parseDate(std::u16string_view text) const override {
        return parseDateText(model_, text, currentYear_);
    }
    double parseNumber(std::u16string_view text) const override {
        return parseNumberText(model_, text);
    }
    char16_t decimalSeparator() const override { return model_.decimal; }

  private:
    const LocaleModel& model_;
    CurrentYear currentYear_;
};

PortableLocaleKind kindNamed(std::string_view name) {
    if (name.starts_with("en_GB") || name.starts_with("en-GB"))
        return PortableLocaleKind::EnGb;
    if (name.starts_with("de") &&
        (name.size() == 2 || name[2] == '_' || name[2] == '-' || name[2] == '.'))
        return PortableLocaleKind::DeDe;
    return PortableLocaleKind::EnUs;
}

} // namespace

std::unique_ptr<Locale> makePortableLocale(PortableLocaleKind kind, CurrentYear currentYear) {
    switch (kind) {
    case PortableLocaleKind::EnGb:
        return std::make_unique<PortableLocale>(enGb, currentYear);
    case PortableLocaleKind::DeDe:
        return std::make_unique<PortableLocale>(deDe, currentYear);
    case PortableLocaleKind::EnUs:
        break;
    }
    return std::make_unique<PortableLocale>(enUs, currentYear);
}

// The first of the variables that is set and not empty names the locale, as POSIX orders them.
PortableLocaleKind portableLocaleFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return kindNamed(value);
    }
    return PortableLocaleKind::EnUs;
}

std::int16_t textToInteger(const Locale& locale, std::u16string_view text) {
    return toInteger(locale.parseNumber(text));
}

} // namespace bz
