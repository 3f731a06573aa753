// The DLL's exports: the class object, and when the DLL may be unloaded.
#include "Brenik_Zefa.h"
#include "com_test.h"
#include "runtime/com/com_ptr.h"

#include <gmock/gmock.h>

namespace bz::test {
namespace {

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

template <typename Function> Function exported(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

class Exports : public testing::Test {
  protected:
    void SetUp() override {
        module_ = LoadLibraryW(componentPath().c_str());
        ASSERT_NE(module_, nullptr);
        getClassObject = exported<GetClassObject>(module_, "DllGetClassObject");
        canUnloadNow = exported<CanUnloadNow>(module_, "DllCanUnloadNow");
        ASSERT_NE(getClassObject, nullptr);
        ASSERT_NE(canUnloadNow, nullptr);
    }
    void TearDown() override { FreeLibrary(module_); }

    com::ComPtr<IClassFactory> factory() {
        com::ComPtr<IClassFactory> result;
        EXPECT_EQ(getClassObject(__uuidof(TembraLinkHelper), IID_IClassFactory,
                                 reinterpret_cast<void**>(result.put())),
                  S_OK);
        return result;
    }

    HMODULE module_ = nullptr;
    GetClassObject getClassObject = nullptr;
    CanUnloadNow canUnloadNow = nullptr;
};

TEST_F(Exports, ClassObjectServesOnlyTheClassAndRefusesAggregation) {
    void* result = this;
    EXPECT_EQ(getClassObject(IID_IUnknown, IID_IClassFactory, &result), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(result, nullptr);

    const auto classObject = factory();
    com::ComPtr<IUnknown> outer = classObject.tryQuery<IUnknown>(IID_IUnknown);
    com::ComPtr<IUnknown> aggregated;
    EXPECT_EQ(classObject->CreateInstance(outer.get(), IID_IUnknown,
                                          reinterpret_cast<void**>(aggregated.put())),
              CLASS_E_NOAGGREGATION);
    EXPECT_FALSE(aggregated);
}

TEST_F(Exports, DllStaysWhileObjectsOrLocksRemain) {
    EXPECT_EQ(canUnloadNow(), S_OK);
    {
        const auto classObject = factory();
        EXPECT_EQ(canUnloadNow(), S_FALSE);
        com::ComPtr<IDispatch> object;
        ASSERT_EQ(classObject->CreateInstance(nullptr, IID_IDispatch,
                                              reinterpret_cast<void**>(object.put())),
                  S_OK);
        ASSERT_EQ(classObject->LockServer(TRUE), S_OK);
    }
    EXPECT_EQ(canUnloadNow(), S_FALSE); // the lock
    factory()->LockServer(FALSE);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

} // namespace
} // namespace bz::test
