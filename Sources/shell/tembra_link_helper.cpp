#include "tembra_link_helper.h"

#include "availability/link_function.h"
#include "availability/transfer.h"
#include "calendar/college_setup.h"
#include "suitability/suitability_link.h"

namespace bz {

void TembraLinkHelper::ZEFA_LHF_ActivityTemplateSuitability(Variant& ActivityTemplateItem,
                                                            std::u16string& SuitabilityHostkey) {
    bz::ZEFA_LHF_ActivityTemplateSuitability(state_, ActivityTemplateItem, SuitabilityHostkey);
}

bool TembraLinkHelper::PrepareAvailabilityTransfer(host::TransferObject*) {
    return bz::PrepareAvailabilityTransfer(state_);
}

bool TembraLinkHelper::FinishAvailabilityTransfer(host::TransferObject* xxx) {
    return bz::FinishAvailabilityTransfer(state_, xxx);
}

void TembraLinkHelper::MarkTheDay(std::u16string& hostkey, Integer& period) {
    bz::MarkTheDay(state_, hostkey, period);
}

Variant TembraLinkHelper::DayHasBeenMarked(std::u16string& hostkey, Integer& period) {
    return Boolean{bz::DayHasBeenMarked(state_, hostkey, period)};
}

void TembraLinkHelper::ITembraLinkHelper_SetActiveCollegeReference(Variant& college) {
    SetActiveCollegeReference(state_, college);
}

void TembraLinkHelper::ZEFA_LHF_SetAvailabilityByString(Variant& thing,
                                                        std::u16string& strPattern) {
    bz::ZEFA_LHF_SetAvailabilityByString(state_, thing, strPattern);
}

} // namespace bz
