#pragma once

#include "Brenik_Zefa.h"
#include "module.h"
#include "runtime/com/com_object.h"
#include "runtime/com/hresult_error.h"
#include "runtime/com/platform_locale.h"
#include "shell/tembra_link_helper.h"
#include "type_info_dispatch.h"

#include <utility>

namespace bz::com {

// The COM object of class TembraLinkHelper. It serves the default dual interface
// _TembraLinkHelper and the host's ITembraLinkHelper on one identity, converts arguments and
// forwards every member to the core; IDispatch comes from each interface's type library. The
// members never assign their by-reference parameters, so nothing is copied back to them.
class LinkHelperObject final
    : public ComObject<LinkHelperObject, _TembraLinkHelper, ISupportErrorInfo> {
  public:
    LinkHelperObject();

    // A new object queried for `iid`, as the class factory hands it out.
    static HRESULT createInstance(REFIID iid, void** result) noexcept;
    // The host's interface, a tear-off of this object.
    IUnknown* queryOther(REFIID iid) noexcept;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** result) noexcept override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) noexcept override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) noexcept override;

    // Reserved vtable entries: never called by a late-bound caller ([restricted]).
    HRESULT STDMETHODCALLTYPE ReservedSlot1() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReservedSlot2() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReservedSlot3() noexcept override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE put_ZEFA_LHF_ActivityTemplateSuitability(
        VARIANT* ActivityTemplateItem, BSTR* SuitabilityHostkey) noexcept override;
    HRESULT STDMETHODCALLTYPE PrepareAvailabilityTransfer(_PrePostTransfer** dummy,
                                                          VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE FinishAvailabilityTransfer(_PrePostTransfer** xxx,
                                                         VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE MarkTheDay(BSTR* hostkey, short* period) noexcept override;
    HRESULT STDMETHODCALLTYPE DayHasBeenMarked(BSTR* hostkey, short* period,
                                               VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE
    putref_ITembraLinkHelper_SetActiveCollegeReference(VARIANT* college) noexcept override;
    HRESULT STDMETHODCALLTYPE
    put_ZEFA_LHF_SetAvailabilityByString(VARIANT* thing, BSTR* strPattern) noexcept override;

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) noexcept override;

  private:
    // The host's ITembraLinkHelper on this object: its IDispatch comes from the host's interface
    // library, its one member reaches the same procedure as member 6 of the default interface.
    class HostInterface final : public Delegating<ITembraLinkHelper> {
      public:
        explicit HostInterface(LinkHelperObject& outer);

        HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
        HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID,
                                              ITypeInfo** result) noexcept override;
        HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                                DISPID* ids) noexcept override;
        HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags,
                                         DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                         UINT* argumentError) noexcept override;
        HRESULT STDMETHODCALLTYPE
        putref_SetActiveCollegeReference(VARIANT* college) noexcept override;

      private:
        LinkHelperObject& outer_;
        TypeInfoDispatch dispatch_;
    };

    // Runs a member at the COM boundary, holding a reference on the object until it returns:
    // the host may release its last reference from inside a host call the member makes.
    template <typename Body> HRESULT serve(REFIID iid, Body&& body) noexcept {
        const ComPtr<IUnknown> self(identity());
        return guarded(iid, std::forward<Body>(body));
    }
    void setCollege(VARIANT* college);

    PlatformLocale locale_;
    TembraLinkHelper core_;
    TypeInfoDispatch dispatch_;
    HostInterface host_;
};

} // namespace bz::com
