#include "tembra_link_helper.h"

#include "availability/link_function.h"
#include "availability/transfer.h"
#include "calendar/college_setup.h"
#include "suitability/suitability_link.h"

namespace bz {

void TembraLinkHelper::ZEFA_LHF_ActivityTemplateSuitability(Variant& ActivityTemplateItem,
                                                            std::u16string& SuitabilityHostkey) {
    bz::ZEFA_LHF_ActivityTemplateSuitability(state_.varCollege, state_.locale, ActivityTemplateItem,
                                             SuitabilityHostkey);
}

bool TembraLinkHelper::PrepareAvailabilityTransfer(host::TransferObject*) {
    return bz::PrepareAvailabilityTransfer(state_.transfer);
}

bool TembraLinkHelper::FinishAvailabilityTransfer(host::TransferObject* xxx) {
    return bz::FinishAvailabilityTransfer(state_.transfer, xxx);
}

void TembraLinkHelper::MarkTheDay(std::u16string& hostkey, Integer& period) {
    bz::MarkTheDay(state_.calendar, state_.transfer.dictMarkedDays.get(), hostkey, period);
}

Variant TembraLinkHelper::DayHasBeenMarked(std::u16string& hostkey, Integer& period) {
    return Boolean{bz::DayHasBeenMarked(state_.calendar, state_.transfer.dictMarkedDays.get(),
                                        hostkey, period)};
}

// A new college starts from nothing remembered, like a new transfer.
void TembraLinkHelper::ITembraLinkHelper_SetActiveCollegeReference(Variant& college) {
    state_.transfer.remembered.forget();
    SetActiveCollegeReference(state_.varCollege, state_.calendar, state_.locale, college);
}

void TembraLinkHelper::ZEFA_LHF_SetAvailabilityByString(Variant& thing,
                                                        std::u16string& strPattern) {
    bz::ZEFA_LHF_SetAvailabilityByString(state_.conversion(), state_.transfer.strErrors, thing,
                                         strPattern);
}

} // namespace bz
