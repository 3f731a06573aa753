#include "transfer_face.h"

#include "runtime/com/bstr.h"
#include "runtime/com/com_object.h"
#include "runtime/com/hresult_error.h"

namespace bz::com {

#define BZ_UNCALLED(n)                                                                             \
    virtual HRESULT STDMETHODCALLTYPE uncalled##n() {                                              \
        return E_NOTIMPL;                                                                          \
    }

// The host's transfer interface (its identifier below): IDispatch, twenty operations the
// component never calls, then the report.
class TransferInterface : public IDispatch {
  public:
    BZ_UNCALLED(1)
    BZ_UNCALLED(2)
    BZ_UNCALLED(3)
    BZ_UNCALLED(4)
    BZ_UNCALLED(5)
    BZ_UNCALLED(6)
    BZ_UNCALLED(7)
    BZ_UNCALLED(8)
    BZ_UNCALLED(9)
    BZ_UNCALLED(10)
    BZ_UNCALLED(11)
    BZ_UNCALLED(12)
    BZ_UNCALLED(13)
    BZ_UNCALLED(14)
    BZ_UNCALLED(15)
    BZ_UNCALLED(16)
    BZ_UNCALLED(17)
    BZ_UNCALLED(18)
    BZ_UNCALLED(19)
    BZ_UNCALLED(20)
    virtual HRESULT STDMETHODCALLTYPE ReportErrors(BSTR text, LONG flag1, LONG flag2) = 0;

  protected:
    ~TransferInterface() = default;
};
#undef BZ_UNCALLED

} // namespace bz::com

__CRT_UUID_DECL(bz::com::TransferInterface, 0x7fddb569, 0x636d, 0x4d1a, 0xb2, 0x8b, 0x8e, 0xeb,
                0xf7, 0x91, 0x8a, 0xc8)

namespace bz::com {

namespace {

class TransferFace final : public ComObject<TransferFace, TransferInterface, ISupportErrorInfo> {
  public:
    explicit TransferFace(host::TransferObject& receiver) : receiver_(receiver) {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ReportErrors(BSTR text, LONG flag1, LONG flag2) override {
        return guarded(__uuidof(TransferInterface),
                       [&] { receiver_.report(fromBstr(text), flag1, flag2); });
    }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return iid == __uuidof(TransferInterface) ? S_OK : S_FALSE;
    }

  private:
    host::TransferObject& receiver_;
};

} // namespace

ComPtr<IDispatch> transferFace(host::TransferObject& receiver) {
    return ComPtr<IDispatch>::attach(TransferFace::create(receiver).detach());
}

} // namespace bz::com
