#include "com_link_helper.h"

#include "Brenik_Zefa.h"
#include "host/com/dispatch_object.h"
#include "host_dispatch.h"
#include "input_error.h"
#include "runtime/com/unique_any.h"
#include "transfer_face.h"
#include "utf.h"

#include <cstdio>

namespace bz::preview {

namespace {

constexpr const wchar_t* progId = L"Brenik_Zefa.TembraLinkHelper";

std::string hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

class Apartment {
  public:
    Apartment() {
        if (const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); FAILED(hr))
            throw InputError("cannot start COM: " + hex(hr));
    }
    ~Apartment() { CoUninitialize(); }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
};

using Library = com::UniqueAny<HMODULE, FreeLibrary>;

com::ComPtr<IDispatch> fromRegistry() {
    CLSID clsid{};
    com::ComPtr<IDispatch> component;
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(component.put()));
    if (FAILED(hr))
        throw InputError("cannot create the component Brenik_Zefa.TembraLinkHelper (" + hex(hr) +
                         "): is Brenik_Zefa.dll registered for this architecture? --dll PATH "
                         "loads it from a file instead");
    return component;
}

com::ComPtr<IDispatch> fromLibrary(HMODULE module, const std::string& path) {
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    // Through void (*)(), the generic function pointer, which GCC lets cast to any other.
    const auto entry = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "DllGetClassObject")));
    if (!entry)
        throw InputError("--dll " + path + ": not a COM server (no DllGetClassObject)");
    com::ComPtr<IClassFactory> factory;
    com::ComPtr<IDispatch> component;
    HRESULT hr = entry(__uuidof(TembraLinkHelper), IID_IClassFactory,
                       reinterpret_cast<void**>(factory.put()));
    if (SUCCEEDED(hr))
        hr = factory->CreateInstance(nullptr, IID_IDispatch,
                                     reinterpret_cast<void**>(component.put()));
    if (FAILED(hr))
        throw InputError("--dll " + path + ": cannot create TembraLinkHelper (" + hex(hr) + ")");
    return component;
}

// A host object as the component holds it: a core reference to its COM face.
Variant faceOf(Object& object) {
    return Variant(com::DispatchObject::wrap(com::hostDispatch(ObjectRef(&object))));
}

class ComLinkHelper final : public LinkHelper {
  public:
    explicit ComLinkHelper(const std::optional<std::string>& dll) {
        if (!dll) {
            component_ = com::DispatchObject::wrap(fromRegistry());
            return;
        }
        library_.reset(LoadLibraryW(pathOf(*dll).c_str()));
        if (!library_)
            throw InputError("--dll " + *dll + ": cannot load it (error " +
                             std::to_string(GetLastError()) + ")");
        component_ = com::DispatchObject::wrap(fromLibrary(library_.get(), *dll));
    }

    void setActiveCollegeReference(Object& college) override {
        Variant face = faceOf(college);
        call(u"ITembraLinkHelper_SetActiveCollegeReference", InvokeKind::PropertyPutRef,
             {Argument{&face}});
    }
    void prepareAvailabilityTransfer() override {
        Variant nothing = ObjectRef();
        call(u"PrepareAvailabilityTransfer", InvokeKind::Method, {Argument{&nothing}});
    }
    void setAvailabilityByString(Object& resource, const std::u16string& pattern) override {
        Variant thing = faceOf(resource);
        std::u16string text = pattern;
        call(u"ZEFA_LHF_SetAvailabilityByString", InvokeKind::PropertyPut,
             {Argument{&thing}, Argument{&text}});
    }
    void finishAvailabilityTransfer(host::TransferObject& transfer) override {
        Variant face = com::DispatchObject::wrap(com::transferFace(transfer));
        call(u"FinishAvailabilityTransfer", InvokeKind::Method, {Argument{&face}});
    }

  private:
    // By name, every argument by reference, as the host calls.
    void call(const std::u16string& name, InvokeKind kind, std::initializer_list<Argument> args) {
        component_->invoke(name, kind, std::span(args.begin(), args.size()), {});
    }

    // Released in reverse: the component, then its DLL, then the apartment.
    Apartment apartment_;
    Library library_;
    ObjectRef component_;
};

} // namespace

std::unique_ptr<LinkHelper> comLinkHelper(const std::optional<std::string>& dll) {
    return std::make_unique<ComLinkHelper>(dll);
}

} // namespace bz::preview
