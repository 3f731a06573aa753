#pragma once

#include "host_call.h"
#include "minimal_dispatch.h"

#include "runtime/com/com_ptr.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bz::bench {

// A host object that records every QueryInterface and answers its host interface (as well as
// IUnknown and IDispatch) with itself.
template <class Derived> class RecordingObject : public MinimalDispatch<Derived> {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID asked, void** result) noexcept override {
        recorder_.keep({this, HostCall::Shape::Query, 0, 0, asked, nullptr, 0, 0, 0});
        return MinimalDispatch<Derived>::QueryInterface(asked, result);
    }
    IUnknown* queryOther(REFIID asked) noexcept {
        if (asked != hostInterface_)
            return nullptr;
        this->AddRef();
        return this->identity();
    }

  protected:
    RecordingObject(CallRecorder& recorder, const GUID& hostInterface)
        : recorder_(recorder), hostInterface_(hostInterface) {}
    CallRecorder& recorder_;

  private:
    GUID hostInterface_;
};

// An availability: member 616 sets a run of periods to a value.
class ComAvailability final : public RecordingObject<ComAvailability> {
  public:
    ComAvailability(CallRecorder& recorder, std::int32_t periods);

    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

    std::size_t availablePeriods() const;

  private:
    std::vector<bool> available_;
};

// A resource: members 59 (host key) and 400 (name) read as text, 510 reads and puts its
// availability by reference.
class ComResource final : public RecordingObject<ComResource> {
  public:
    ComResource(CallRecorder& recorder, std::u16string hostKey, std::int32_t periods);

    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

    const ComAvailability& availability() const { return *availability_; }

  private:
    HRESULT putReference(DISPID member, const DISPPARAMS& params);

    std::u16string hostKey_;
    std::u16string name_;
    com::ComPtr<ComAvailability> availability_;
    com::ComPtr<IDispatch> stored_;
};

} // namespace bz::bench
