// The COM face of plimsor.dll: type library, DirectCOM creation, dispatch,
// connection point and unloading.
#include <gtest/gtest.h>

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "platform/ComRef.h"
#include "DirectCOM.h"
#include "PlimsorCopy.h"
#include "PlimsorIds.h"

using platform::ComRef;

namespace {

class ComTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CoInitialize(nullptr);
        folder_ = new std::wstring(plimsortest::MakeProgramCopy(L"plimsor_com"));
        directCom_ = LoadLibraryW((*folder_ + L"\\DirectCOM.dll").c_str());
    }
    static void TearDownTestSuite()
    {
        delete folder_;
        CoUninitialize();
    }
    static std::wstring Dll() { return *folder_ + L"\\plimsor.dll"; }
    static ComRef<IUnknown> Create(const std::wstring& dll, const wchar_t* cls)
    {
        auto get = reinterpret_cast<GetInstanceProc>(GetProcAddress(directCom_, "GETINSTANCE"));
        if (!get)
            return {};
        return ComRef<IUnknown>::Attach(get(dll.c_str(), cls));
    }
    template <class T>
    static ComRef<T> Query(IUnknown* from, REFIID iid)
    {
        ComRef<T> r;
        if (from)
            from->QueryInterface(iid, reinterpret_cast<void**>(r.Out()));
        return r;
    }

    static std::wstring* folder_;
    static HMODULE directCom_;
};
std::wstring* ComTest::folder_ = nullptr;
HMODULE ComTest::directCom_ = nullptr;

TEST_F(ComTest, TypeLibraryCarriesTheClassIdentities)
{
    ComRef<ITypeLib> lib;
    ASSERT_HRESULT_SUCCEEDED(LoadTypeLibEx(Dll().c_str(), REGKIND_NONE, lib.Out()));
    TLIBATTR* la = nullptr;
    ASSERT_HRESULT_SUCCEEDED(lib->GetLibAttr(&la));
    EXPECT_TRUE(IsEqualGUID(la->guid, plimsor::LIBID_plimsor));
    EXPECT_EQ(la->wMajorVerNum, 1);
    EXPECT_EQ(la->wMinorVerNum, 0);
    EXPECT_EQ(la->lcid, 0x409u);
    lib->ReleaseTLibAttr(la);
    BSTR name = nullptr;
    ASSERT_HRESULT_SUCCEEDED(lib->GetDocumentation(-1, &name, nullptr, nullptr, nullptr));
    EXPECT_STREQ(name, L"plimsor");
    SysFreeString(name);

    ComRef<ITypeInfo> coclass;
    ASSERT_HRESULT_SUCCEEDED(lib->GetTypeInfoOfGuid(plimsor::CLSID_CSets, coclass.Out()));
    TYPEATTR* ca = nullptr;
    ASSERT_HRESULT_SUCCEEDED(coclass->GetTypeAttr(&ca));
    EXPECT_EQ(ca->typekind, TKIND_COCLASS);
    EXPECT_TRUE(ca->wTypeFlags & TYPEFLAG_FCANCREATE);
    ASSERT_EQ(ca->cImplTypes, 2);
    coclass->ReleaseTypeAttr(ca);
    bool sawDefault = false, sawSource = false;
    for (UINT i = 0; i < 2; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        ComRef<ITypeInfo> impl;
        ASSERT_HRESULT_SUCCEEDED(coclass->GetImplTypeFlags(i, &flags));
        ASSERT_HRESULT_SUCCEEDED(coclass->GetRefTypeOfImplType(i, &ref));
        ASSERT_HRESULT_SUCCEEDED(coclass->GetRefTypeInfo(ref, impl.Out()));
        TYPEATTR* ia = nullptr;
        ASSERT_HRESULT_SUCCEEDED(impl->GetTypeAttr(&ia));
        if (flags & IMPLTYPEFLAG_FSOURCE) {
            sawSource = (flags & IMPLTYPEFLAG_FDEFAULT) && IsEqualGUID(ia->guid, plimsor::DIID___CSets);
        } else {
            sawDefault = (flags & IMPLTYPEFLAG_FDEFAULT) && IsEqualGUID(ia->guid, plimsor::IID__CSets) &&
                         (ia->wTypeFlags & TYPEFLAG_FDUAL);
        }
        impl->ReleaseTypeAttr(ia);
    }
    EXPECT_TRUE(sawDefault);
    EXPECT_TRUE(sawSource);

    ComRef<ITypeComp> comp;
    ASSERT_HRESULT_SUCCEEDED(lib->GetTypeComp(comp.Out()));
    ComRef<ITypeInfo> events;
    ASSERT_HRESULT_SUCCEEDED(lib->GetTypeInfoOfGuid(plimsor::DIID___CSets, events.Out()));
    MEMBERID id = 0;
    LPOLESTR member = const_cast<LPOLESTR>(L"SettingsChanged");
    ASSERT_HRESULT_SUCCEEDED(events->GetIDsOfNames(&member, 1, &id));
    EXPECT_EQ(id, plimsor::DISPID_SettingsChanged);
}

TEST_F(ComTest, DirectComCreatesByClassNameOnly)
{
    ComRef<IUnknown> a = Create(Dll(), L"CSets");
    ASSERT_TRUE(a);
    EXPECT_TRUE(Query<_CSets>(a.Get(), plimsor::IID__CSets));
    ComRef<IUnknown> b = Create(Dll(), L"csets");
    ASSERT_TRUE(b);
    EXPECT_NE(a.Get(), b.Get()) << "every call gives a new object";

    EXPECT_FALSE(Create(Dll(), L"_CSets")) << "an interface is not a class";
    EXPECT_FALSE(Create(Dll(), L"Nothing"));
    EXPECT_FALSE(Create(*folder_ + L"\\missing.dll", L"CSets"));
    EXPECT_FALSE(Create(*folder_ + L"\\DirectCOM.dll", L"CSets")) << "a DLL without a type library";
}

TEST_F(ComTest, DispatchAnswersByNameAndDispid)
{
    ComRef<IUnknown> obj = Create(Dll(), L"CSets");
    ComRef<IDispatch> disp = Query<IDispatch>(obj.Get(), IID_IDispatch);
    ASSERT_TRUE(disp);
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"SaveSettings"), const_cast<LPOLESTR>(L"ShowWindow")};
    DISPID ids[2] = {};
    ASSERT_HRESULT_SUCCEEDED(disp->GetIDsOfNames(IID_NULL, &names[0], 1, LOCALE_USER_DEFAULT, &ids[0]));
    ASSERT_HRESULT_SUCCEEDED(disp->GetIDsOfNames(IID_NULL, &names[1], 1, LOCALE_USER_DEFAULT, &ids[1]));
    EXPECT_EQ(ids[0], plimsor::DISPID_SaveSettings);
    EXPECT_EQ(ids[1], plimsor::DISPID_ShowWindow);

    const std::wstring dat = *folder_ + L"\\Settings\\plimsors.dat";
    DeleteFileW(dat.c_str());
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    EXPECT_HRESULT_SUCCEEDED(disp->Invoke(plimsor::DISPID_SaveSettings, IID_NULL, LOCALE_USER_DEFAULT,
                                          DISPATCH_METHOD, &none, &result, nullptr, nullptr));
    VariantClear(&result);
    std::string bytes = ReadBytes(dat);
    EXPECT_GE(bytes.size(), 214u) << "SaveSettings writes the whole record";

    EXPECT_EQ(disp->Invoke(0x1234, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr,
                           nullptr),
              DISP_E_MEMBERNOTFOUND);
}

TEST_F(ComTest, ConnectionPointOffersOnlyTheEventInterface)
{
    ComRef<IUnknown> obj = Create(Dll(), L"CSets");
    ComRef<IConnectionPointContainer> cpc = Query<IConnectionPointContainer>(obj.Get(),
                                                                             IID_IConnectionPointContainer);
    ASSERT_TRUE(cpc);
    ComRef<IConnectionPoint> cp;
    EXPECT_EQ(cpc->FindConnectionPoint(IID_IPropertyNotifySink, cp.Out()), CONNECT_E_NOCONNECTION);
    ASSERT_HRESULT_SUCCEEDED(cpc->FindConnectionPoint(plimsor::DIID___CSets, cp.Out()));
    IID iid = {};
    ASSERT_HRESULT_SUCCEEDED(cp->GetConnectionInterface(&iid));
    EXPECT_TRUE(IsEqualGUID(iid, plimsor::DIID___CSets));

    // Any IDispatch can listen: the object's own IDispatch stands in here.
    ComRef<IDispatch> sink = Query<IDispatch>(obj.Get(), IID_IDispatch);
    DWORD cookie = 0;
    ASSERT_HRESULT_SUCCEEDED(cp->Advise(sink.Get(), &cookie));
    EXPECT_NE(cookie, 0u);
    EXPECT_HRESULT_SUCCEEDED(cp->Unadvise(cookie));
    EXPECT_EQ(cp->Unadvise(cookie), CONNECT_E_NOCONNECTION);

    ComRef<IProvideClassInfo2> pci = Query<IProvideClassInfo2>(obj.Get(), IID_IProvideClassInfo2);
    ASSERT_TRUE(pci);
    GUID source = {};
    EXPECT_HRESULT_SUCCEEDED(pci->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
    EXPECT_TRUE(IsEqualGUID(source, plimsor::DIID___CSets));
}

TEST_F(ComTest, ClientsEnumerateThePointAndItsConnections)
{
    HMODULE dll = nullptr;
    {
        ComRef<IUnknown> obj = Create(Dll(), L"CSets");
        dll = GetModuleHandleW(Dll().c_str());
        auto cpc = Query<IConnectionPointContainer>(obj.Get(), IID_IConnectionPointContainer);
        ASSERT_TRUE(cpc);
        ComRef<IEnumConnectionPoints> points;
        ASSERT_HRESULT_SUCCEEDED(cpc->EnumConnectionPoints(points.Out()));
        IConnectionPoint* got[2] = {};
        ULONG fetched = 9;
        EXPECT_EQ(points->Next(2, got, &fetched), S_FALSE);
        ASSERT_EQ(fetched, 1u) << "one point: the events";
        ComRef<IConnectionPoint> cp = ComRef<IConnectionPoint>::Attach(got[0]);
        IID iid = {};
        ASSERT_HRESULT_SUCCEEDED(cp->GetConnectionInterface(&iid));
        EXPECT_TRUE(IsEqualGUID(iid, plimsor::DIID___CSets));
        EXPECT_EQ(points->Next(1, got, nullptr), S_FALSE);
        EXPECT_HRESULT_SUCCEEDED(points->Reset());
        EXPECT_EQ(points->Skip(2), S_FALSE);

        // Two listeners; the enumeration is a snapshot that outlives an unadvise.
        ComRef<IDispatch> sinks[2] = {Query<IDispatch>(Create(Dll(), L"CSets").Get(), IID_IDispatch),
                                      Query<IDispatch>(Create(Dll(), L"CSets").Get(), IID_IDispatch)};
        DWORD cookies[2] = {};
        for (int i = 0; i < 2; ++i)
            ASSERT_HRESULT_SUCCEEDED(cp->Advise(sinks[i].Get(), &cookies[i]));
        ComRef<IEnumConnections> conns;
        ASSERT_HRESULT_SUCCEEDED(cp->EnumConnections(conns.Out()));
        ASSERT_HRESULT_SUCCEEDED(cp->Unadvise(cookies[0]));
        ComRef<IEnumConnections> copy;
        ASSERT_HRESULT_SUCCEEDED(conns->Clone(copy.Out()));
        for (IEnumConnections* e : {conns.Get(), copy.Get()}) {
            CONNECTDATA data[3] = {};
            fetched = 0;
            EXPECT_EQ(e->Next(3, data, &fetched), S_FALSE);
            ASSERT_EQ(fetched, 2u);
            for (int i = 0; i < 2; ++i) {
                EXPECT_EQ(data[i].dwCookie, cookies[i]);
                ComRef<IUnknown> a = ComRef<IUnknown>::Attach(data[i].pUnk);
                EXPECT_EQ(Query<IUnknown>(a.Get(), IID_IUnknown).Get(),
                          Query<IUnknown>(sinks[i].Get(), IID_IUnknown).Get());
            }
        }
        ComRef<IEnumConnections> now;
        ASSERT_HRESULT_SUCCEEDED(cp->EnumConnections(now.Out()));
        CONNECTDATA one = {};
        ASSERT_EQ(now->Next(1, &one, nullptr), S_OK);
        EXPECT_EQ(one.dwCookie, cookies[1]);
        one.pUnk->Release();
        EXPECT_HRESULT_SUCCEEDED(cp->Unadvise(cookies[1]));
    }
    // Every reference the enumerators handed out or held has come back.
    auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(dll, "DllCanUnloadNow"));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_OK);
}

TEST_F(ComTest, LibraryMayUnloadOnceEveryObjectIsReleased)
{
    HMODULE dll = GetModuleHandleW(Dll().c_str());
    ComRef<IUnknown> obj = Create(Dll(), L"CSets");
    ASSERT_TRUE(obj);
    dll = GetModuleHandleW(Dll().c_str());
    ASSERT_NE(dll, nullptr);
    auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(dll, "DllCanUnloadNow"));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE);
    obj.Reset();  // never shown: nothing to unload
    EXPECT_EQ(canUnload(), S_OK);
}

TEST_F(ComTest, DirectComFreesALibraryOnlyOnceItsObjectsAreGone)
{
    const std::wstring other = plimsortest::MakeProgramCopy(L"plimsor_com2") + L"\\plimsor.dll";
    ComRef<IUnknown> a = Create(other, L"CSets");
    ASSERT_TRUE(a);
    ASSERT_NE(GetModuleHandleW(other.c_str()), nullptr);
    ComRef<IUnknown> b = Create(Dll(), L"CSets");
    EXPECT_NE(GetModuleHandleW(other.c_str()), nullptr) << "its object still lives";
    a.Reset();
    b = Create(Dll(), L"CSets");
    EXPECT_EQ(GetModuleHandleW(other.c_str()), nullptr) << "freed at the next call once unused";
}

} // namespace
