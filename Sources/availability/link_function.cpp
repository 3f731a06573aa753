#include "link_function.h"

#include "availability/pattern.h"
#include "availability/report_line.h"
#include "host/calls.h"
#include "host/host_interfaces.h"
#include "runtime/error.h"

namespace bz {

void ZEFA_LHF_SetAvailabilityByString(const Conversion& conversion, std::u16string& strErrors,
                                      const Variant& thing, const std::u16string& strPattern) {
    ObjectRef resource;
    try {
        conversion.strStage.set(stages::settingUp);
        const ObjectRef target = toObject(thing);
        if (!target)
            return;
        resource = target->queryInterface(host::IID_Resource);
        if (!resource)
            raise(ErrorNumber::TypeMismatch);
        ApplyAvailabilityPattern(conversion, resource, strPattern);
    } catch (const AutomationError&) {
        // The pieces in their order: the report, the name, then the stage, which a pattern the
        // host sends from inside the name's read may have changed. Without a resource, reading
        // its name raises error 91, which fails the call; the report changes only once the whole
        // line is built.
        std::u16string line = strErrors;
        line += u"\r\n";
        const std::u16string name = toString(
            host::get(host::objectIn(resource), host::DISPID_ResourceName), conversion.locale);
        line += AvailabilityReportLine(name, conversion.strStage.text(conversion.locale));
        strErrors = std::move(line);
    }
}

} // namespace bz
