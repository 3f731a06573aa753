#include "transfer_stand_in.h"

#include "PrePostTrans.h"
#include "runtime/com/bstr.h"
#include "runtime/com/com_object.h"
#include "runtime/com/hresult_error.h"

namespace bz::test {

namespace {

class TransferStandIn final
    : public com::ComObject<TransferStandIn, _PrePostTransfer, ISupportErrorInfo> {
  public:
    explicit TransferStandIn(host::TransferObject& receiver) : receiver_(receiver) {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
#define BZ_UNUSED_OPERATION(name)                                                                  \
    HRESULT STDMETHODCALLTYPE name() override {                                                    \
        return E_NOTIMPL;                                                                          \
    }
    BZ_UNUSED_OPERATION(Operation1)
    BZ_UNUSED_OPERATION(Operation2)
    BZ_UNUSED_OPERATION(Operation3)
    BZ_UNUSED_OPERATION(Operation4)
    BZ_UNUSED_OPERATION(Operation5)
    BZ_UNUSED_OPERATION(Operation6)
    BZ_UNUSED_OPERATION(Operation7)
    BZ_UNUSED_OPERATION(Operation8)
    BZ_UNUSED_OPERATION(Operation9)
    BZ_UNUSED_OPERATION(Operation10)
    BZ_UNUSED_OPERATION(Operation11)
    BZ_UNUSED_OPERATION(Operation12)
    BZ_UNUSED_OPERATION(Operation13)
    BZ_UNUSED_OPERATION(Operation14)
    BZ_UNUSED_OPERATION(Operation15)
    BZ_UNUSED_OPERATION(Operation16)
    BZ_UNUSED_OPERATION(Operation17)
    BZ_UNUSED_OPERATION(Operation18)
    BZ_UNUSED_OPERATION(Operation19)
    BZ_UNUSED_OPERATION(Operation20)
#undef BZ_UNUSED_OPERATION

    HRESULT STDMETHODCALLTYPE ReportErrors(BSTR text, LONG flag1, LONG flag2) override {
        return com::guarded(__uuidof(_PrePostTransfer),
                            [&] { receiver_.report(com::fromBstr(text), flag1, flag2); });
    }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return iid == __uuidof(_PrePostTransfer) ? S_OK : S_FALSE;
    }

  private:
    host::TransferObject& receiver_;
};

} // namespace

com::ComPtr<IUnknown> transferStandIn(host::TransferObject& receiver) {
    return com::ComPtr<IUnknown>(TransferStandIn::create(receiver)->identity());
}

} // namespace bz::test
