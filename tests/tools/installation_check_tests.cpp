// The portable parts of bz-preview.exe --check: how the facts found become check lines with their
// mends, how the lines are printed, how the account's locale reads the sample pattern, and the
// short transfer, here through the core.
#include "check_report.h"
#include "installation_facts.h"
#include "locale_sample.h"
#include "preview_platform.h"
#include "runtime/error.h"
#include "short_transfer.h"
#include "tools/preview_process.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace bz::preview {
namespace {

using ::testing::HasSubstr;

constexpr const char* clsid = "{BCEABCEE-073F-4073-B82E-FF90BE15E444}";
const ClassRegistration registered{true, clsid, R"(C:\Program Files\Brenik_Zefa\Brenik_Zefa.dll)",
                                   "Apartment"};

struct Expected {
    CheckStatus status;
    std::string found;
    std::string mend; // a part of it; empty: no mend
};

void expectLine(const CheckLine& line, const Expected& expected) {
    EXPECT_EQ(line.status, expected.status) << line.found;
    EXPECT_THAT(line.found, HasSubstr(expected.found));
    if (expected.mend.empty())
        EXPECT_EQ(line.mend, "");
    else
        EXPECT_THAT(line.mend, HasSubstr(expected.mend));
}

TEST(InstallationCheck, RegistrationNamesWhatEachViewHolds) {
    ClassRegistration otherProgId = registered, noServer = registered, freeThreaded = registered;
    otherProgId.progIdClass = "{00000000-0000-0000-0000-000000000001}";
    noServer.serverPath.clear();
    freeThreaded.threadingModel = "Free";
    const std::string repair = "msiexec /fam Brenik_Zefa-" BZ_VERSION "-x64.msi";
    const struct {
        Bitness self;
        ClassRegistration here;
        std::optional<ClassRegistration> other;
        Expected expected;
    } rows[] = {
        {Bitness::X86,
         {},
         registered,
         {CheckStatus::Failed, "the 64-bit view has the class; a 32-bit host will not see it",
          "install the x86 package as administrator: msiexec /i Brenik_Zefa-" BZ_VERSION
          "-x86.msi"}},
        {Bitness::X64,
         {},
         registered,
         {CheckStatus::Failed, "the 32-bit view has the class; a 64-bit host will not see it",
          "install the x64 package"}},
        {Bitness::X64,
         {},
         ClassRegistration{},
         {CheckStatus::Failed,
          std::string("the class ") + clsid +
              " is not registered in the "
              "64-bit view",
          "install the x64 package"}},
        {Bitness::X64,
         otherProgId,
         std::nullopt,
         {CheckStatus::Failed, "names another class, {00000000-0000-0000-0000-000000000001}",
          repair}},
        {Bitness::X64,
         noServer,
         std::nullopt,
         {CheckStatus::Failed, "no in-process server (InprocServer32)", repair}},
        {Bitness::X64,
         freeThreaded,
         std::nullopt,
         {CheckStatus::Failed, "ThreadingModel is 'Free', not 'Apartment'", repair}},
        {Bitness::X64,
         registered,
         ClassRegistration{},
         {CheckStatus::Ok,
          "Apartment; the 32-bit view has no class: a 32-bit host will not find it", ""}},
        {Bitness::X86,
         registered,
         registered,
         {CheckStatus::Ok,
          "in the 32-bit view: C:\\Program Files\\Brenik_Zefa\\Brenik_Zefa.dll, "
          "Apartment; the 64-bit view has the class too",
          ""}},
        {Bitness::X86,
         registered,
         std::nullopt,
         {CheckStatus::Ok, "32-bit Windows has no other view", ""}},
    };
    for (const auto& row : rows)
        expectLine(judgeRegistration(row.self, row.here, row.other), row.expected);
}

TEST(InstallationCheck, FileSignatureAndLibraries) {
    const std::string path = R"(C:\Program Files\Brenik_Zefa\Brenik_Zefa.dll)";
    const std::string repair = "msiexec /fam";
    const ServerFile good{path, true, Bitness::X64, "1.0.0.0", "Brenik_Zefa"};
    ServerFile missing = good, x86 = good, other = good;
    missing.exists = false;
    x86.machine = Bitness::X86;
    other.productName = "Other";
    other.version = "2.0.0.0";
    expectLine(judgeFile(Bitness::X64, good), {CheckStatus::Ok, "Brenik_Zefa 1.0.0.0, 64-bit", ""});
    expectLine(judgeFile(Bitness::X64, missing),
               {CheckStatus::Failed, path + " is not there", repair});
    expectLine(judgeFile(Bitness::X64, x86),
               {CheckStatus::Failed, "is a 32-bit DLL, registered for 64-bit hosts",
                "install the x64 package"});
    expectLine(judgeFile(Bitness::X64, other),
               {CheckStatus::Failed, "is Other 2.0.0.0, not Brenik_Zefa 1.0.0.0", repair});

    using Verdict = Signature::Verdict;
    expectLine(judgeSignature({Verdict::NotSigned, "", ""}), {CheckStatus::Ok, "not signed", ""});
    expectLine(judgeSignature({Verdict::Altered, "Example", "WinVerifyTrust 0x80096010"}),
               {CheckStatus::Failed, "signed by Example, but the file was changed after signing",
                "install the DLL again"});
    expectLine(judgeSignature({Verdict::CannotTell, "Example", "Wine's trust functions ..."}),
               {CheckStatus::Ok, "signed by Example; Wine's trust functions ...", ""});

    const TypeLibrary library{"TembraLinkHelperIF 1.0", R"(C:\Host\ITembraLinkHelper.dll)", false,
                              true, ""};
    TypeLibrary unregistered = library, gone = library;
    unregistered.path.clear();
    unregistered.inOtherView = true;
    gone.fileExists = false;
    expectLine(judgeHostLibrary(Bitness::X86, library, "ITembraLinkHelper.dll"),
               {CheckStatus::Ok, library.path, ""});
    expectLine(judgeHostLibrary(Bitness::X86, unregistered, "ITembraLinkHelper.dll"),
               {CheckStatus::Failed,
                "not registered in the 32-bit view (the 64-bit view has it): the host's calls "
                "through it fail with 0x8002801D",
                "registers ITembraLinkHelper.dll"});
    expectLine(judgeComponentLibrary(Bitness::X64, gone),
               {CheckStatus::Failed,
                "registered as C:\\Host\\ITembraLinkHelper.dll, which is not there", repair});
}

TEST(InstallationCheck, ReportAsTextAndJson) {
    CheckReport report{"64-bit",
                       {{"registration", CheckStatus::Failed, "the class is missing", "install it"},
                        {"type library", CheckStatus::Ok, "Brenik_Zefa 5.0", ""}}};
    EXPECT_FALSE(report.ready({"type library", "registration"}, "transfer"));
    EXPECT_TRUE(report.ready({"type library"}, "locale"));
    std::ostringstream text;
    printCheckText(text, report);
    EXPECT_EQ(text.str(), "registration  FAILED  the class is missing; mend: install it\n"
                          "type library  ok  Brenik_Zefa 5.0\n"
                          "transfer      not run  needs the registration check\n"
                          "1 of 3 checks failed (64-bit)\n");

    std::ostringstream json;
    printCheckJson(json, report);
    const std::string written = json.str();
    EXPECT_EQ(testing::schemaErrors(written, "check-v1.schema.json"), "");
    const auto parsed = nlohmann::json::parse(written);
    EXPECT_EQ(parsed["passed"], false);
    EXPECT_EQ(parsed["checks"][0]["status"], "failed");
    EXPECT_EQ(parsed["checks"][0]["mend"], "install it");
    EXPECT_TRUE(parsed["checks"][1]["mend"].is_null());
    EXPECT_EQ(parsed["checks"][2]["status"], "notRun");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 5) << "a check to a line";

    report.lines = {report.lines[1]};
    text.str("");
    printCheckText(text, report);
    EXPECT_THAT(text.str(), HasSubstr("every check passed (64-bit)\n"));
}

// A locale that reads no date, for the sample that fails.
class NoDates final : public Locale {
  public:
    std::u16string formatDate(Date) const override { return {}; }
    Date parseDate(std::u16string_view) const override { raise(ErrorNumber::TypeMismatch); }
    double parseNumber(std::u16string_view) const override { return 0; }
    char16_t decimalSeparator() const override { return u'.'; }
};

TEST(InstallationCheck, LocaleReadsTheSamplePattern) {
    const struct {
        PortableLocaleKind kind;
        const char* name;
        const char* reading;
    } rows[] = {
        {PortableLocaleKind::EnUs, "en-US",
         "reads as Fri 9 February 2024 to Fri 13 December 2024, teaching day 3, 09:00 to 12:30"},
        {PortableLocaleKind::EnGb, "en-GB",
         "reads as Mon 2 September 2024 to Fri 13 December 2024"},
        {PortableLocaleKind::DeDe, "de-DE",
         "reads as Mon 2 September 2024 to Fri 13 December 2024"},
    };
    for (const auto& row : rows)
        expectLine(describeLocale(*makePortableLocale(row.kind), row.name, "d/M/yyyy"),
                   {CheckStatus::Ok,
                    std::string(row.name) +
                        ", short date d/M/yyyy; "
                        "'02/09/2024|13/12/2024|3|09:00|12:30' " +
                        row.reading,
                    ""});
    expectLine(describeLocale(NoDates(), "xx-XX", "?"),
               {CheckStatus::Failed, "fails at its first date: 0x800A000D Type mismatch",
                "year-month-day"});
}

// The core, with one of its calls changed as a broken component's might be.
class Faulty final : public LinkHelper {
  public:
    enum class Fault { None, PrepareFails, SecondRuleLost, NoReport };
    explicit Faulty(Fault fault, const Locale& locale)
        : fault_(fault), core_(makeLinkHelper(Options{}, locale)) {}
    void setActiveCollegeReference(Object& college) override {
        core_->setActiveCollegeReference(college);
    }
    void prepareAvailabilityTransfer() override {
        if (fault_ == Fault::PrepareFails)
            raise(ErrorNumber::ObjectVariableNotSet);
        core_->prepareAvailabilityTransfer();
    }
    void setAvailabilityByString(Object& resource, const std::u16string& pattern) override {
        if (fault_ != Fault::SecondRuleLost || ++rules_ != 2)
            core_->setAvailabilityByString(resource, pattern);
    }
    void finishAvailabilityTransfer(host::TransferObject& transfer) override {
        if (fault_ != Fault::NoReport)
            core_->finishAvailabilityTransfer(transfer);
    }

  private:
    Fault fault_;
    int rules_ = 0;
    std::unique_ptr<LinkHelper> core_;
};

TEST(InstallationCheck, ShortTransferThroughTheCore) {
    const auto locale = makePortableLocale(PortableLocaleKind::EnGb);
    const struct {
        Faulty::Fault fault;
        Expected expected;
    } rows[] = {
        {Faulty::Fault::None,
         {CheckStatus::Ok,
          "core: a college, three rules (two on one day, one failing) and the "
          "report handed over, as expected",
          ""}},
        {Faulty::Fault::PrepareFails,
         {CheckStatus::Failed, "core: preparing the transfer failed: 0x800A005B", "mend"}},
        {Faulty::Fault::SecondRuleLost,
         {CheckStatus::Failed, "left the first day as #-------, not #-#-----", "mend"}},
        {Faulty::Fault::NoReport,
         {CheckStatus::Failed,
          "the host received the report '', not '\r\nError converting availability for 'Check "
          "room': Parsing availability string'",
          "mend"}},
    };
    for (const auto& row : rows)
        expectLine(checkShortTransfer([&] { return std::make_unique<Faulty>(row.fault, *locale); },
                                      "core"),
                   row.expected);
}

} // namespace
} // namespace bz::preview
