// The project description as a client reads it back from the DLL: the type library (identity,
// member table, vtable offsets, parameter types) and the resources.
#include "Brenik_Zefa.h"
#include "com_test.h"
#include "runtime/com/com_ptr.h"

#include <gmock/gmock.h>

#include <cstring>
#include <string>
#include <vector>

namespace bz::test {
namespace {

using com::ComPtr;

// {7FDDB569-636D-4D1A-B28B-8EEBF7918AC8}: the host's transfer interface.
constexpr GUID transferInterface{
    0x7FDDB569, 0x636D, 0x4D1A, {0xB2, 0x8B, 0x8E, 0xEB, 0xF7, 0x91, 0x8A, 0xC8}};

ComPtr<ITypeLib> componentLibrary() {
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadTypeLibEx(componentPath().c_str(), REGKIND_NONE, library.put()), S_OK);
    return library;
}

// The vtable side (TKIND_INTERFACE) of the default dual interface.
ComPtr<ITypeInfo> defaultInterface(ITypeLib& library) {
    ComPtr<ITypeInfo> dispatch;
    EXPECT_EQ(library.GetTypeInfoOfGuid(__uuidof(_TembraLinkHelper), dispatch.put()), S_OK);
    HREFTYPE vtable = 0;
    EXPECT_EQ(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable), S_OK);
    ComPtr<ITypeInfo> result;
    EXPECT_EQ(dispatch->GetRefTypeInfo(vtable, result.put()), S_OK);
    return result;
}

// A parameter's type as text: "VARIANT*", "BSTR*", "short*", "VARIANT_BOOL*" or, for a pointer
// to an interface pointer, "{iid}**".
std::string typeText(ITypeInfo& info, const TYPEDESC& type) {
    switch (type.vt) {
    case VT_PTR:
        return typeText(info, *type.lptdesc) + "*";
    case VT_USERDEFINED: {
        ComPtr<ITypeInfo> referenced;
        EXPECT_EQ(info.GetRefTypeInfo(type.hreftype, referenced.put()), S_OK);
        TYPEATTR* attributes = nullptr;
        referenced->GetTypeAttr(&attributes);
        const bool transfer = attributes->guid == transferInterface;
        referenced->ReleaseTypeAttr(attributes);
        return transfer ? "Transfer" : "other";
    }
    case VT_VARIANT:
        return "VARIANT";
    case VT_BSTR:
        return "BSTR";
    case VT_I2:
        return "short";
    case VT_BOOL:
        return "VARIANT_BOOL";
    default:
        return "vt" + std::to_string(type.vt);
    }
}

struct Member {
    std::wstring name;
    MEMBERID id;
    INVOKEKIND kind;
    short vtableEntry;
    std::vector<std::string> parameterTypes;  // the retval last
    std::vector<std::wstring> parameterNames; // a property's assigned value has no name
    bool restricted;
};

std::vector<Member> membersOf(ITypeInfo& info) {
    TYPEATTR* attributes = nullptr;
    info.GetTypeAttr(&attributes);
    const UINT count = attributes->cFuncs;
    info.ReleaseTypeAttr(attributes);
    std::vector<Member> members;
    for (UINT i = 0; i < count; ++i) {
        FUNCDESC* function = nullptr;
        EXPECT_EQ(info.GetFuncDesc(i, &function), S_OK);
        BSTR names[8] = {};
        UINT named = 0;
        info.GetNames(function->memid, names, 8, &named);
        Member member{names[0],
                      function->memid,
                      function->invkind,
                      static_cast<short>(function->oVft / static_cast<short>(sizeof(void*))),
                      {},
                      {},
                      (function->wFuncFlags & FUNCFLAG_FRESTRICTED) != 0};
        for (SHORT p = 0; p < function->cParams; ++p) {
            const ELEMDESC& parameter = function->lprgelemdescParam[p];
            std::string type = typeText(info, parameter.tdesc);
            const USHORT flags = parameter.paramdesc.wParamFlags;
            if (flags & PARAMFLAG_FRETVAL)
                type = "retval " + type;
            else if ((flags & (PARAMFLAG_FIN | PARAMFLAG_FOUT)) == (PARAMFLAG_FIN | PARAMFLAG_FOUT))
                type = "in,out " + type;
            member.parameterTypes.push_back(type);
        }
        for (UINT n = 0; n < named; ++n) {
            if (n > 0)
                member.parameterNames.emplace_back(names[n]);
            SysFreeString(names[n]);
        }
        info.ReleaseFuncDesc(function);
        members.push_back(std::move(member));
    }
    return members;
}

bool operator==(const Member& a, const Member& b) {
    return a.name == b.name && a.id == b.id && a.kind == b.kind && a.vtableEntry == b.vtableEntry &&
           a.parameterTypes == b.parameterTypes && a.parameterNames == b.parameterNames &&
           a.restricted == b.restricted;
}

void PrintTo(const Member& m, std::ostream* out) {
    *out << std::string(m.name.begin(), m.name.end()) << " id=0x" << std::hex << m.id << std::dec
         << " kind=" << m.kind << " entry=" << m.vtableEntry << " params=";
    for (const std::string& type : m.parameterTypes)
        *out << "[" << type << "]";
    for (const std::wstring& name : m.parameterNames)
        *out << " " << std::string(name.begin(), name.end());
    *out << (m.restricted ? " restricted" : "");
}

TEST(TypeLibrary, HasTheComponentsIdentity) {
    const auto library = componentLibrary();
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_TRUE(
        attributes->guid ==
        GUID({0x713D986C, 0xEFA1, 0x4D23, {0xBF, 0x02, 0x78, 0x0A, 0xB3, 0x98, 0x30, 0x2D}}));
    EXPECT_EQ(attributes->wMajorVerNum, 5);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    EXPECT_EQ(attributes->lcid, 1033u);
    library->ReleaseTLibAttr(attributes);

    BSTR name = nullptr;
    ASSERT_EQ(library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"Brenik_Zefa");
    SysFreeString(name);
}

TEST(TypeLibrary, ClassIsCreatableWithTheDefaultInterfaceOnly) {
    const auto library = componentLibrary();
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(library->GetTypeInfoOfGuid(__uuidof(TembraLinkHelper), coclass.put()), S_OK);
    TYPEATTR* attributes = nullptr;
    coclass->GetTypeAttr(&attributes);
    EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
    EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FCANCREATE);
    EXPECT_EQ(attributes->cImplTypes, 1);
    coclass->ReleaseTypeAttr(attributes);

    INT flags = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
    HREFTYPE reference = 0;
    ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
    ComPtr<ITypeInfo> implemented;
    ASSERT_EQ(coclass->GetRefTypeInfo(reference, implemented.put()), S_OK);
    implemented->GetTypeAttr(&attributes);
    EXPECT_TRUE(attributes->guid == __uuidof(_TembraLinkHelper));
    implemented->ReleaseTypeAttr(attributes);
}

TEST(TypeLibrary, DefaultInterfaceIsAHiddenNonExtensibleDualInterface) {
    const auto library = componentLibrary();
    const auto info = defaultInterface(*library);
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    const WORD expected =
        TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDUAL;
    EXPECT_EQ(attributes->wTypeFlags & expected, expected);
    // IDispatch's seven entries, three reserved ones and the seven members, each a pointer of
    // the library's platform (the 32-bit DLL's is read here by the 64-bit tests too).
    TLIBATTR* platform = nullptr;
    ASSERT_EQ(library->GetLibAttr(&platform), S_OK);
    const unsigned pointerSize = platform->syskind == SYS_WIN64 ? 8 : 4;
    library->ReleaseTLibAttr(platform);
    EXPECT_EQ(attributes->cbSizeVft, 17 * pointerSize);
    info->ReleaseTypeAttr(attributes);
}

TEST(TypeLibrary, MembersHaveTheirIdsKindsVtableEntriesAndParameterTypes) {
    const auto library = componentLibrary();
    const auto info = defaultInterface(*library);
    const std::vector<Member> expected{
        {L"ReservedSlot1", 0x60030000, INVOKE_FUNC, 7, {}, {}, true},
        {L"ReservedSlot2", 0x60030001, INVOKE_FUNC, 8, {}, {}, true},
        {L"ReservedSlot3", 0x60030002, INVOKE_FUNC, 9, {}, {}, true},
        {L"ZEFA_LHF_ActivityTemplateSuitability",
         0x68030002,
         INVOKE_PROPERTYPUT,
         10,
         {"in,out VARIANT*", "in,out BSTR*"},
         {L"ActivityTemplateItem"},
         false},
        {L"PrepareAvailabilityTransfer",
         0x60030003,
         INVOKE_FUNC,
         11,
         {"in,out Transfer**", "retval VARIANT_BOOL*"},
         {L"dummy", L"result"},
         false},
        {L"FinishAvailabilityTransfer",
         0x60030004,
         INVOKE_FUNC,
         12,
         {"in,out Transfer**", "retval VARIANT_BOOL*"},
         {L"xxx", L"result"},
         false},
        {L"MarkTheDay",
         0x60030005,
         INVOKE_FUNC,
         13,
         {"in,out BSTR*", "in,out short*"},
         {L"hostkey", L"period"},
         false},
        {L"DayHasBeenMarked",
         0x60030006,
         INVOKE_FUNC,
         14,
         {"in,out BSTR*", "in,out short*", "retval VARIANT*"},
         {L"hostkey", L"period", L"result"},
         false},
        {L"ITembraLinkHelper_SetActiveCollegeReference",
         0x68030001,
         INVOKE_PROPERTYPUTREF,
         15,
         {"in,out VARIANT*"},
         {},
         false},
        {L"ZEFA_LHF_SetAvailabilityByString",
         0x68030000,
         INVOKE_PROPERTYPUT,
         16,
         {"in,out VARIANT*", "in,out BSTR*"},
         {L"thing"},
         false},
    };
    EXPECT_THAT(membersOf(*info), testing::ElementsAreArray(expected));
}

TEST(TypeLibrary, NamesResolveToTheFixedDispatchIds) {
    const auto library = componentLibrary();
    const auto info = defaultInterface(*library);
    // Case-insensitive, as a late-bound caller's lookups are.
    const std::pair<const wchar_t*, DISPID> members[]{
        {L"zefa_lhf_activitytemplatesuitability", 0x68030002},
        {L"PREPAREAVAILABILITYTRANSFER", 0x60030003},
        {L"FinishAvailabilityTransfer", 0x60030004},
        {L"MarkTheDay", 0x60030005},
        {L"DayHasBeenMarked", 0x60030006},
        {L"ITembraLinkHelper_SetActiveCollegeReference", 0x68030001},
        {L"ZEFA_LHF_SetAvailabilityByString", 0x68030000},
    };
    for (const auto& [name, id] : members) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        MEMBERID found = 0;
        EXPECT_EQ(info->GetIDsOfNames(names, 1, &found), S_OK) << name;
        EXPECT_EQ(found, id) << name;
    }
}

class Resources : public testing::Test {
  protected:
    void SetUp() override {
        module_ = LoadLibraryExW(componentPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override { FreeLibrary(module_); }

    HMODULE module_ = nullptr;
};

TEST_F(Resources, IidResourceHoldsTheLengthAndTheDefaultInterfacesIid) {
    HRSRC resource = FindResourceW(module_, MAKEINTRESOURCEW(1), L"_IID_TEMBRALINKHELPER");
    ASSERT_NE(resource, nullptr);
    ASSERT_EQ(SizeofResource(module_, resource), 20u);
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(module_, resource)));
    std::uint32_t length = 0;
    std::memcpy(&length, bytes, 4);
    EXPECT_EQ(length, 16u);
    EXPECT_EQ(std::memcmp(bytes + 4, &__uuidof(_TembraLinkHelper), 16), 0);
}

TEST(VersionBlock, CarriesTheProductStringsAndSelfRegistrationMark) {
    const std::wstring path = componentPath();
    std::vector<char> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(
        GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    const std::pair<const wchar_t*, const wchar_t*> strings[]{
        {L"FileVersion", L"1.00"},
        {L"ProductVersion", L"1.00"},
        {L"ProductName", L"Brenik_Zefa"},
        {L"InternalName", L"Brenik_Zefa"},
        {L"OriginalFilename", L"Brenik_Zefa.dll"},
        {L"OLESelfRegister", L""},
    };
    for (const auto& [name, value] : strings) {
        wchar_t* text = nullptr;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
        ASSERT_TRUE(
            VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &size))
            << name;
        EXPECT_STREQ(text, value) << name;
    }

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &size));
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(translation[0], 0x409);
    EXPECT_EQ(translation[1], 1200);
}

} // namespace
} // namespace bz::test
