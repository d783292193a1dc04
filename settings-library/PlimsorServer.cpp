#include "PlimsorServer.h"

#include <olectl.h>

#include <new>
#include <string>

#include "CSets.h"
#include "ComObject.h"
#include "platform/ComRef.h"
#include "PlimsorIds.h"
#include "PlimsorModule.h"
#include "platform/Handles.h"
#include "platform/Module.h"

namespace {

class CSetsFactory final : public ComObject<IClassFactory> {
public:
    CSetsFactory() { PlimsorModule::ObjectCreated(); }
    ~CSetsFactory() override { PlimsorModule::ObjectDestroyed(); }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        try {
            return CSets::Create(iid, out);
        } catch (...) {
            return E_FAIL;
        }
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        PlimsorModule::Lock(lock != FALSE);
        return S_OK;
    }
};

std::wstring GuidText(REFGUID guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

bool SetKey(const std::wstring& path, const std::wstring& name, const std::wstring& value)
{
    platform::RegKey key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Out(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExW(key.Get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    return rc == ERROR_SUCCESS;
}

HRESULT DeleteTree(const std::wstring& path)
{
    LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
    if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND)
        rc = RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(rc);
}

} // namespace

namespace PlimsorServer {

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (clsid != plimsor::CLSID_CSets)
        return CLASS_E_CLASSNOTAVAILABLE;
    CSetsFactory* factory = new (std::nothrow) CSetsFactory();
    if (!factory)
        return E_OUTOFMEMORY;
    HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

HRESULT CanUnloadNow() { return PlimsorModule::CanUnload() ? S_OK : S_FALSE; }

HRESULT Register()
{
    const std::wstring path = platform::ModulePath(PlimsorModule::Instance());
    platform::ComRef<ITypeLib> lib;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib.Out());
    if (FAILED(hr))
        return SELFREG_E_TYPELIB;
    std::wstring pathCopy = path;
    hr = RegisterTypeLib(lib.Get(), &pathCopy[0], nullptr);
    if (FAILED(hr))
        return SELFREG_E_TYPELIB;

    const std::wstring clsid = GuidText(plimsor::CLSID_CSets);
    const std::wstring classKey = L"CLSID\\" + clsid;
    const std::wstring progId = plimsor::kProgId;
    bool ok = SetKey(classKey, L"", progId) && SetKey(classKey + L"\\InprocServer32", L"", path) &&
              SetKey(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
              SetKey(classKey + L"\\ProgID", L"", progId) &&
              SetKey(classKey + L"\\VERSION", L"", L"1.0") &&
              SetKey(classKey + L"\\TypeLib", L"", GuidText(plimsor::LIBID_plimsor)) &&
              SetKey(progId, L"", progId) && SetKey(progId + L"\\Clsid", L"", clsid);
    if (!ok) {
        Unregister();
        return SELFREG_E_CLASS;
    }
    return S_OK;
}

HRESULT Unregister()
{
    HRESULT result = S_OK;
    HRESULT hr = UnRegisterTypeLib(plimsor::LIBID_plimsor, plimsor::kLibMajor, plimsor::kLibMinor,
                                   plimsor::kLibLcid, SYS_WIN64);
    if (FAILED(hr) && hr != TYPE_E_REGISTRYACCESS && hr != TYPE_E_CANTLOADLIBRARY &&
        hr != HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))
        result = SELFREG_E_TYPELIB;
    if (FAILED(DeleteTree(L"CLSID\\" + GuidText(plimsor::CLSID_CSets))) ||
        FAILED(DeleteTree(plimsor::kProgId)))
        result = SELFREG_E_CLASS;
    return result;
}

} // namespace PlimsorServer
