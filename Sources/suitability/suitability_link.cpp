#include "suitability_link.h"

#include "host/calls.h"

namespace bz {

namespace {

// The suitabilities of the college that carry the host key: read afresh for every use. The
// college is held for the call: the host may hand over another one from inside it.
Variant findMatches(const Variant& varCollege, std::u16string& hostkey) {
    const Variant college = varCollege;
    const Variant suitabilities = host::get(host::objectIn(college), u"Suitabilities");
    return host::call(host::objectIn(suitabilities), u"Find", {host::byRef(hostkey)}, {u"hostkey"});
}

} // namespace

void ZEFA_LHF_ActivityTemplateSuitability(const Variant& varCollege, const Locale& locale,
                                          const Variant& ActivityTemplateItem,
                                          std::u16string& SuitabilityHostkey) {
    const Variant count =
        host::get(host::objectIn(findMatches(varCollege, SuitabilityHostkey)), u"Count");
    const auto comparison = compareWithNumber(count, 0, locale);
    if (!comparison || *comparison <= 0)
        return;

    const Variant first = Integer{1};
    Variant suitability =
        toObject(host::call(host::objectIn(findMatches(varCollege, SuitabilityHostkey)), u"Item",
                            {host::byValue(first)}));

    const Variant selection = Long{0};
    Object& activityTemplate = host::objectIn(ActivityTemplateItem);
    Variant list =
        toObject(host::call(activityTemplate, u"GetSuitabilities", {host::byValue(selection)}));
    host::callMethod(host::objectIn(list), u"Add", {host::byRef(suitability)});
    host::callMethod(activityTemplate, u"SetSuitabilities",
                     {host::byValue(selection), host::byRef(list)});
}

} // namespace bz
