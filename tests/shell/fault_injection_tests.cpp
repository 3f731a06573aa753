// Every host call of a representative session made to fail in turn, once with a bare host
// HRESULT and once with a run-time error carrying error information.
#include "shell/tembra_link_helper.h"
#include "support/fixture.h"

#include <functional>
#include <iostream>
#include <optional>

namespace bz::testing {
namespace {

using hostsim::SimObject;
using ::testing::PrintToString;

// What a session leaves in the host.
struct Outcome {
    std::vector<std::int32_t> roomAvailable;
    std::vector<std::int32_t> roomCleared;
    std::vector<std::int32_t> labAvailable;
    std::vector<std::u16string> suitabilities;
    std::vector<std::u16string> reports;
    friend bool operator==(const Outcome&, const Outcome&) = default;
    friend void PrintTo(const Outcome& outcome, std::ostream* out) {
        *out << PrintToString(outcome.roomAvailable) << PrintToString(outcome.roomCleared)
             << PrintToString(outcome.labAvailable) << PrintToString(outcome.suitabilities)
             << PrintToString(outcome.reports);
    }
};

// One member call of the session. An availability call whose host call fails reports a line
// and succeeds, unless the failing call is the name read of its own report line.
struct Step {
    std::function<void(TembraLinkHelper&)> call;
    const char16_t* resourceName = nullptr; // availability calls only
    bool brokenPattern = false;
};

class Session {
  public:
    Session()
        : locale_(makePortableLocale(PortableLocaleKind::EnGb)),
          helper_(std::make_unique<TembraLinkHelper>(*locale_)),
          room_(host_.addResource(u"Room 12", u"R12")), lab_(host_.addResource(u"Lab 3", u"L3")),
          template_(host_.addActivityTemplate(u"template")) {
        host_.addSuitability(u"LAB");
        host_.setCalendar(standardCalendar());
    }

    std::vector<Step> steps() {
        return {
            {[this](TembraLinkHelper& h) {
                Variant college = hostsim::refTo(host_.college());
                h.ITembraLinkHelper_SetActiveCollegeReference(college);
            }},
            {[](TembraLinkHelper& h) { h.PrepareAvailabilityTransfer(nullptr); }},
            send(room_, u"05/01/2026|12/01/2026|1|09:00|11:00"),
            send(lab_, u"05/01/2026|19/01/2026|1|09:00", true),
            send(room_, u"05/01/2026|12/01/2026|1|14:00|16:00"),
            {[this](TembraLinkHelper& h) {
                Variant activity = hostsim::refTo(template_);
                std::u16string key = u"LAB";
                h.ZEFA_LHF_ActivityTemplateSuitability(activity, key);
            }},
            {[this](TembraLinkHelper& h) { h.FinishAvailabilityTransfer(&host_.transfer()); }},
        };
    }

    TembraLinkHelper& helper() { return *helper_; }
    hostsim::Host& host() { return host_; }
    const std::u16string& errors() const { return helper_->state().transfer.strErrors; }

    // Releases the helper: every host reference must then be back at zero.
    Outcome finish() {
        helper_.reset();
        for (const auto& object : host_.objects())
            EXPECT_EQ(object->references(), 0);
        Outcome outcome{
            room_.periodsSetTo(true), room_.periodsSetTo(false), lab_.periodsSetTo(true), {}, {}};
        for (const SimObject* suitability : template_.suitabilities())
            outcome.suitabilities.push_back(suitability->label());
        for (const auto& report : host_.transfer().reports())
            outcome.reports.push_back(report.text);
        return outcome;
    }

  private:
    Step send(hostsim::Resource& resource, std::u16string pattern, bool broken = false) {
        return {[&resource, pattern](TembraLinkHelper& h) mutable {
                    Variant thing = hostsim::refTo(resource);
                    h.ZEFA_LHF_SetAvailabilityByString(thing, pattern);
                },
                resource.label().c_str(), broken};
    }

    std::unique_ptr<Locale> locale_;
    hostsim::Host host_;
    std::unique_ptr<TembraLinkHelper> helper_;
    hostsim::Resource& room_;
    hostsim::Resource& lab_;
    hostsim::ActivityTemplate& template_;
};

struct CleanRun {
    std::vector<std::size_t> callsAfter; // host calls made when each step has returned
    std::vector<std::u16string> errorsAfter;
    Outcome outcome;
};

CleanRun runClean() {
    Session session;
    CleanRun run;
    for (const Step& step : session.steps()) {
        step.call(session.helper());
        run.callsAfter.push_back(session.host().callFault().calls());
        run.errorsAfter.push_back(session.errors());
    }
    run.outcome = session.finish();
    return run;
}

bool sameError(const AutomationError& a, const AutomationError& b) {
    return a.hresult() == b.hresult() && a.source() == b.source() &&
           a.description() == b.description();
}

// Runs the session with call `position` failing with `fault`; checks the faulted step's
// documented outcome, retries that step, and returns what the session left.
Outcome runFaulted(const CleanRun& clean, std::size_t position, const AutomationError& fault) {
    Session session;
    session.host().callFault().failCall(position, fault);
    const std::vector<Step> steps = session.steps();
    std::optional<std::u16string> line;
    std::size_t faulted = 0;
    for (std::size_t s = 0; s < steps.size(); ++s) {
        const bool hit =
            position > (s == 0 ? 0 : clean.callsAfter[s - 1]) && position <= clean.callsAfter[s];
        if (!hit) {
            steps[s].call(session.helper());
            continue;
        }
        faulted = s;
        const std::u16string before = session.errors();
        std::optional<AutomationError> raised;
        try {
            steps[s].call(session.helper());
        } catch (const AutomationError& error) {
            raised = error;
        }
        if (steps[s].resourceName && !steps[s].brokenPattern) {
            EXPECT_FALSE(raised) << "position " << position;
            line = u"\r\nError converting availability for '" +
                   std::u16string(steps[s].resourceName) + u"': Setting Availabilities";
            EXPECT_EQ(session.errors(), before + *line) << "position " << position;
        } else {
            EXPECT_TRUE(raised && sameError(*raised, fault)) << "position " << position;
            EXPECT_EQ(session.errors(), before) << "position " << position;
        }
        steps[s].call(session.helper()); // the object serves the next valid call
    }
    Outcome outcome = session.finish();
    if (line && !outcome.reports.empty()) // the line stands where the faulted call made it
        outcome.reports[0].erase(clean.errorsAfter[faulted - 1].size(), line->size());
    return outcome;
}

TEST(FaultInjection, EveryHostCallFailingEndsAsDocumentedAndLeavesNothingBehind) {
    const CleanRun clean = runClean();
    const std::size_t calls = clean.callsAfter.back();
    ASSERT_GT(calls, 30u);
    const AutomationError faults[]{
        AutomationError(static_cast<std::int32_t>(0x80004005), {}, {}),
        AutomationError(hresultOf(5), u"Host", u"Invalid procedure call or argument"),
    };
    std::size_t injected = 0;
    for (const AutomationError& fault : faults) {
        for (std::size_t position = 1; position <= calls; ++position, ++injected)
            EXPECT_EQ(runFaulted(clean, position, fault), clean.outcome) << "position " << position;
    }
    std::cout << "injected " << injected << " faults into " << calls << " host calls\n";
}

} // namespace
} // namespace bz::testing
