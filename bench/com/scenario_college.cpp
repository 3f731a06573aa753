#include "scenario_college.h"

#include "minimal_dispatch.h"

#include "host/com/variant_conversion.h"
#include "runtime/date.h"
#include "runtime/variant.h"

#include <cwchar>
#include <iterator>

namespace bz::bench {

namespace {

// Monday to Friday, as weekday numbers from Sunday = 1.
Variant weekdays() {
    Array list(VarType::Integer, {{0, 5}});
    for (std::int16_t day = 0; day < 5; ++day)
        list.elements()[static_cast<std::size_t>(day)] = static_cast<std::int16_t>(day + 2);
    return list;
}

struct Member {
    const wchar_t* name;
    Variant value;
};

class ScenarioCollege final : public MinimalDispatch<ScenarioCollege> {
  public:
    // Dispatch ids are the members' positions from 1.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (count != 1)
            return DISP_E_UNKNOWNNAME;
        for (std::size_t i = 0; i < std::size(members_); ++i)
            if (_wcsicmp(names[0], members_[i].name) == 0) {
                ids[0] = static_cast<DISPID>(i + 1);
                return S_OK;
            }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (member < 1 || member > static_cast<DISPID>(std::size(members_)))
            return DISP_E_MEMBERNOTFOUND;
        if (!(flags & DISPATCH_PROPERTYGET) || !result)
            return DISP_E_BADPARAMCOUNT;
        com::toVariant(members_[member - 1].value, *result);
        return S_OK;
    }

  private:
    Member members_[6]{
        {L"startDate", DateValue{makeDate({2026, 1, 5}, {0, 0, 0})}},
        {L"startTime", DateValue{makeDate({1899, 12, 30}, {9, 0, 0})}},
        {L"endTime", DateValue{makeDate({1899, 12, 30}, {17, 0, 0})}},
        {L"PeriodsPerDay", Integer{16}},
        {L"WeeksPerYear", Integer{52}},
        {L"DaysOfWeek", weekdays()},
    };
};

} // namespace

com::ComPtr<IDispatch> scenarioCollege() {
    return com::ComPtr<IDispatch>::attach(ScenarioCollege::create().detach());
}

} // namespace bz::bench
