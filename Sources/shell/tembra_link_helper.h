#pragma once

#include "host/host_interfaces.h"
#include "runtime/variant.h"
#include "shell/link_helper_state.h"

#include <string>

namespace bz {

// The component's one class. Members carry the names of the automation interface and take
// their parameters by reference, as the interface declares them. Every failure is raised as an
// AutomationError; the COM edge turns it into the member's HRESULT.
class TembraLinkHelper {
  public:
    // `rememberedTexts` bounds the pattern texts a transfer remembers; 0 remembers none.
    explicit TembraLinkHelper(const Locale& locale,
                              std::size_t rememberedTexts = RememberedConversions::defaultCapacity)
        : state_(locale, rememberedTexts) {}

    // Property put: appends the suitability with host key `SuitabilityHostkey` to the activity
    // template's suitabilities.
    void ZEFA_LHF_ActivityTemplateSuitability(Variant& ActivityTemplateItem,
                                              std::u16string& SuitabilityHostkey);
    // Opens an availability transfer: empties the error report and makes a new day-mark store.
    bool PrepareAvailabilityTransfer(host::TransferObject* dummy);
    // Closes the transfer: hands a non-empty error report to `xxx` and empties the state.
    bool FinishAvailabilityTransfer(host::TransferObject* xxx);
    // Marks the day of `period` as cleared for the resource `hostkey`.
    void MarkTheDay(std::u16string& hostkey, Integer& period);
    // Whether the day of `period` is marked for `hostkey`: a Variant Boolean.
    Variant DayHasBeenMarked(std::u16string& hostkey, Integer& period);
    // Property put-reference: hands over the college and derives the calendar from it. The
    // host's ITembraLinkHelper::SetActiveCollegeReference reaches the same procedure.
    void ITembraLinkHelper_SetActiveCollegeReference(Variant& college);
    // Property put: writes the availability pattern `strPattern` into the resource `thing`;
    // conversion errors become lines of the transfer's error report.
    void ZEFA_LHF_SetAvailabilityByString(Variant& thing, std::u16string& strPattern);

    const LinkHelperState& state() const { return state_; }

  private:
    LinkHelperState state_;
};

} // namespace bz
