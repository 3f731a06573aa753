#include "availability/remembered_conversions.h"
#include "shell/tembra_link_helper.h"
#include "support/availability_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace bz::testing {
namespace {

// A locale that answers as one of the portable ones, which the test may swap, and counts the
// conversions it is asked for.
class SwappableLocale final : public Locale {
  public:
    explicit SwappableLocale(PortableLocaleKind kind) : current_(makePortableLocale(kind)) {}
    void swapTo(PortableLocaleKind kind) { current_ = makePortableLocale(kind); }
    int conversions() const { return conversions_; }

    std::u16string formatDate(Date date) const override { return current_->formatDate(date); }
    Date parseDate(std::u16string_view text) const override {
        ++conversions_;
        return current_->parseDate(text);
    }
    double parseNumber(std::u16string_view text) const override {
        ++conversions_;
        return current_->parseNumber(text);
    }
    char16_t decimalSeparator() const override { return current_->decimalSeparator(); }

  private:
    std::unique_ptr<Locale> current_;
    mutable int conversions_ = 0;
};

TEST(RememberedConversionsTest, RemembersSuccessesPerConversionWithinItsBound) {
    SwappableLocale locale(PortableLocaleKind::EnGb);
    RememberedConversions remembered(2);
    EXPECT_EQ(remembered.date(locale, u"05/01/2026"), day(2026, 1, 5));
    EXPECT_EQ(remembered.date(locale, u"05/01/2026"), day(2026, 1, 5));
    EXPECT_EQ(locale.conversions(), 1);
    // The same text as another conversion is converted by that conversion.
    EXPECT_EQ(remembered.integer(locale, u"3"), 3);
    EXPECT_EQ(errorOf([&] { remembered.date(locale, u"3"); }), 13);
    EXPECT_EQ(locale.conversions(), 3);
    // A failure is the locale's own every time.
    EXPECT_EQ(errorOf([&] { remembered.integer(locale, u"40000"); }), 6);
    EXPECT_EQ(errorOf([&] { remembered.date(locale, u"3"); }), 13);
    EXPECT_EQ(locale.conversions(), 5);
    // Past the bound, texts are converted as they come.
    EXPECT_EQ(remembered.date(locale, u"09:00"), timeOfDay(9, 0));
    EXPECT_EQ(remembered.date(locale, u"09:00"), timeOfDay(9, 0));
    EXPECT_EQ(locale.conversions(), 7);
    EXPECT_EQ(remembered.size(), 2u);
}

struct Send {
    std::u16string name;
    std::u16string hostKey;
    std::u16string pattern;
};

// What one transfer showed the host (its objects are gone with it), and the state it left
// before it finished.
struct Outcome {
    hostsim::CallLog calls;
    std::u16string report;
    std::vector<bool> marks;
};

Outcome runTransfer(const Locale& locale, std::size_t rememberedTexts,
                    const hostsim::CollegeCalendar& calendar, const std::vector<Send>& sends) {
    hostsim::Host host;
    host.setCalendar(calendar);
    std::map<std::u16string, hostsim::Resource*> resources;
    for (const Send& send : sends)
        if (!resources.contains(send.hostKey))
            resources[send.hostKey] = &host.addResource(send.name, send.hostKey);
    TembraLinkHelper helper(locale, rememberedTexts);
    Variant college = hostsim::refTo(host.college());
    helper.ITembraLinkHelper_SetActiveCollegeReference(college);
    helper.PrepareAvailabilityTransfer(nullptr);
    for (int round = 0; round < 2; ++round) // the second round meets every text again
        for (const Send& send : sends) {
            Variant thing = hostsim::refTo(*resources[send.hostKey]);
            std::u16string pattern = send.pattern;
            helper.ZEFA_LHF_SetAvailabilityByString(thing, pattern);
        }
    Outcome outcome{host.takeCalls(), helper.state().transfer.strErrors, {}};
    for (const auto& [hostKey, resource] : resources)
        for (Integer day = 0; day <= helper.state().calendar.intDayCount; ++day) {
            std::u16string key = hostKey;
            Integer period = multiplyInteger(day, helper.state().calendar.intPeriodsPerDay);
            outcome.marks.push_back(helper.DayHasBeenMarked(key, period) == Variant(Boolean{true}));
        }
    return outcome;
}

void expectSameCalls(const hostsim::CallLog& remembering, const hostsim::CallLog& converting) {
    ASSERT_EQ(remembering.size(), converting.size());
    for (std::size_t i = 0; i < remembering.size(); ++i) {
        const hostsim::Call &a = remembering[i], &b = converting[i];
        EXPECT_EQ(a.object, b.object) << "call " << i;
        EXPECT_EQ(a.member, b.member) << "call " << i;
        EXPECT_EQ(a.kind, b.kind) << "call " << i;
        EXPECT_EQ(a.namedArgs, b.namedArgs) << "call " << i;
        ASSERT_EQ(a.args.size(), b.args.size()) << "call " << i;
        for (std::size_t k = 0; k < a.args.size(); ++k) {
            EXPECT_EQ(a.args[k].variantType, b.args[k].variantType) << "call " << i;
            EXPECT_EQ(a.args[k].value, b.args[k].value) << "call " << i;
            EXPECT_EQ(a.args[k].object == nullptr, b.args[k].object == nullptr) << "call " << i;
        }
    }
}

void expectRememberingChangesNothing(PortableLocaleKind kind,
                                     const hostsim::CollegeCalendar& calendar,
                                     const std::vector<Send>& sends) {
    const std::unique_ptr<Locale> locale = makePortableLocale(kind);
    const Outcome remembering =
        runTransfer(*locale, RememberedConversions::defaultCapacity, calendar, sends);
    const Outcome converting = runTransfer(*locale, 0, calendar, sends);
    expectSameCalls(remembering.calls, converting.calls);
    EXPECT_EQ(remembering.report, converting.report);
    EXPECT_EQ(remembering.marks, converting.marks);
}

// The fields of a CSV line; quotes only group.
std::vector<std::u16string> csvFields(const std::string& line) {
    std::vector<std::u16string> fields(1);
    bool quoted = false;
    for (const char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back().push_back(static_cast<unsigned char>(c));
    }
    return fields;
}

TEST(RememberedConversionsTest, ChangeNothingTheHostSeesOnTheExamples) {
    std::ifstream file(std::filesystem::path(BZ_EXAMPLES) / "patterns.csv");
    std::vector<Send> sends;
    for (std::string line; std::getline(file, line);)
        if (const auto fields = csvFields(line); fields.size() >= 3)
            sends.push_back({fields[1], fields[0], fields[2]});
    ASSERT_GT(sends.size(), 30u);
    sends.erase(sends.begin()); // the header
    // The example college: from Monday 2 September 2024, Monday to Friday, 15 weeks.
    hostsim::CollegeCalendar calendar = standardCalendar();
    calendar.startDate = DateValue{day(2024, 9, 2)};
    calendar.weeksPerYear = Integer{15};
    for (const PortableLocaleKind kind : {PortableLocaleKind::EnGb, PortableLocaleKind::EnUs})
        expectRememberingChangesNothing(kind, calendar, sends);
}

TEST(RememberedConversionsTest, ChangeNothingTheHostSeesOnThePatternFuzzCorpus) {
    std::vector<Send> sends;
    for (const auto& entry : std::filesystem::directory_iterator(BZ_PATTERN_CORPUS)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        std::u16string pattern;
        for (std::size_t i = 1; i < bytes.size(); ++i) // byte 0 chooses the fuzzer's locale
            pattern.push_back(static_cast<unsigned char>(bytes[i]));
        sends.push_back({u"Room 12", u"R12", pattern});
    }
    ASSERT_GT(sends.size(), 20u);
    for (const PortableLocaleKind kind :
         {PortableLocaleKind::EnUs, PortableLocaleKind::EnGb, PortableLocaleKind::DeDe})
        expectRememberingChangesNothing(kind, standardCalendar(), sends);
}

// Under en-US the pattern is a Friday in May, under en-GB Monday 5 January, the first day.
class ForgettingTest : public ::testing::Test {
  protected:
    ForgettingTest() : locale_(PortableLocaleKind::EnUs), helper_(locale_) {
        host_.setCalendar(hourlyCalendar());
        handOver();
        helper_.PrepareAvailabilityTransfer(nullptr);
    }

    void handOver() {
        Variant college = hostsim::refTo(host_.college());
        helper_.ITembraLinkHelper_SetActiveCollegeReference(college);
    }
    // Whether the pattern written now lands on Monday 5 January.
    bool writesTheFirstMonday() {
        hostsim::Resource& room = host_.addResource(u"Room", u"R");
        Variant thing = hostsim::refTo(room);
        std::u16string pattern = u"05/01/2026|05/01/2026|1|09:00|10:00";
        helper_.ZEFA_LHF_SetAvailabilityByString(thing, pattern);
        return room.periodsSetTo(true) == std::vector<std::int32_t>{0};
    }

    SwappableLocale locale_;
    hostsim::Host host_;
    TembraLinkHelper helper_;
};

TEST_F(ForgettingTest, ALocaleChangedWithinATransferIsObeyedFromTheNextOn) {
    EXPECT_FALSE(writesTheFirstMonday());
    locale_.swapTo(PortableLocaleKind::EnGb);
    EXPECT_FALSE(writesTheFirstMonday()); // remembered within the transfer
    helper_.FinishAvailabilityTransfer(nullptr);
    EXPECT_TRUE(writesTheFirstMonday());
    locale_.swapTo(PortableLocaleKind::EnUs);
    helper_.PrepareAvailabilityTransfer(nullptr);
    EXPECT_FALSE(writesTheFirstMonday());
}

TEST_F(ForgettingTest, AHandedOverCollegeForgetsToo) {
    EXPECT_FALSE(writesTheFirstMonday());
    locale_.swapTo(PortableLocaleKind::EnGb);
    handOver();
    EXPECT_TRUE(writesTheFirstMonday());
}

} // namespace
} // namespace bz::testing
