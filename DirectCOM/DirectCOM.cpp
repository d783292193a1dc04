#define DIRECTCOM_BUILD
#include "DirectCOM.h"

#include <oleauto.h>

#include <string>
#include <vector>

namespace {

using DllGetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using DllCanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

struct LoadedDll {
    std::wstring path;  // as given, compared without case
    HMODULE module;
};

// Guarded: a host may call from more than one apartment.
CRITICAL_SECTION g_lock;
std::vector<LoadedDll> g_dlls;

struct Guard {
    Guard() { EnterCriticalSection(&g_lock); }
    ~Guard() { LeaveCriticalSection(&g_lock); }
};

// Frees the DLLs that no longer hold objects, except keep.
void FreeUnusedDlls(HMODULE keep)
{
    for (size_t i = g_dlls.size(); i-- > 0;) {
        HMODULE m = g_dlls[i].module;
        if (m == keep)
            continue;
        auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(GetProcAddress(m, "DllCanUnloadNow"));
        if (canUnload && canUnload() == S_OK) {
            FreeLibrary(m);
            g_dlls.erase(g_dlls.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

HMODULE LoadServer(const std::wstring& path)
{
    for (const LoadedDll& d : g_dlls)
        if (CompareStringOrdinal(d.path.c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL)
            return d.module;
    HMODULE m = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (m)
        g_dlls.push_back({path, m});
    return m;
}

// The CLSID of the creatable coclass named className in the DLL's type library.
bool FindClass(const std::wstring& path, const std::wstring& className, CLSID& clsid)
{
    ITypeLib* lib = nullptr;
    if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib)) || !lib)
        return false;
    bool found = false;
    UINT count = lib->GetTypeInfoCount();
    for (UINT i = 0; i < count && !found; ++i) {
        TYPEKIND kind;
        if (FAILED(lib->GetTypeInfoType(i, &kind)) || kind != TKIND_COCLASS)
            continue;
        BSTR name = nullptr;
        if (FAILED(lib->GetDocumentation(static_cast<INT>(i), &name, nullptr, nullptr, nullptr)))
            continue;
        bool same = name && CompareStringOrdinal(name, -1, className.c_str(), -1, TRUE) == CSTR_EQUAL;
        SysFreeString(name);
        if (!same)
            continue;
        ITypeInfo* info = nullptr;
        if (SUCCEEDED(lib->GetTypeInfo(i, &info)) && info) {
            TYPEATTR* attr = nullptr;
            if (SUCCEEDED(info->GetTypeAttr(&attr)) && attr) {
                if (attr->wTypeFlags & TYPEFLAG_FCANCREATE) {
                    clsid = attr->guid;
                    found = true;
                }
                info->ReleaseTypeAttr(attr);
            }
            info->Release();
        }
    }
    lib->Release();
    return found;
}

IUnknown* CreateInstance(const std::wstring& path, const std::wstring& className)
{
    CLSID clsid;
    if (!FindClass(path, className, clsid))
        return nullptr;
    Guard guard;
    HMODULE m = LoadServer(path);
    if (!m)
        return nullptr;
    IUnknown* object = nullptr;
    auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(GetProcAddress(m, "DllGetClassObject"));
    if (getClassObject) {
        IClassFactory* factory = nullptr;
        if (SUCCEEDED(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory))) && factory) {
            if (FAILED(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object))))
                object = nullptr;
            factory->Release();
        }
    }
    FreeUnusedDlls(object ? m : nullptr);
    return object;
}

} // namespace

extern "C" IUnknown* __stdcall GETINSTANCE(const wchar_t* dllPath, const wchar_t* className)
{
    if (!dllPath || !className || !*dllPath || !*className)
        return nullptr;
    try {
        return CreateInstance(dllPath, className);
    } catch (...) {
        return nullptr;
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        InitializeCriticalSection(&g_lock);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Unloaded on purpose (not at process exit): the servers' own loads
        // keep them alive for any objects still out.
        DeleteCriticalSection(&g_lock);
    }
    return TRUE;
}
