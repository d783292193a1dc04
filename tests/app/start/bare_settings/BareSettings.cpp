// A settings component that does not hold itself alive while it raises its
// event: its dialog, shown modeless, "closes" a moment after ShowWindow
// returned, and SettingsChanged is raised from that close. It notes in
// "<its path>.log" "raised" once the event has returned and "released" when
// its last reference went: "released" first means the host let it go inside
// the event, while the component's code was still running.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "PlimsorIds.h"

#include <cstring>
#include <string>

namespace {

HMODULE g_module = nullptr;
LONG g_objects = 0;
class BareSets;
BareSets* g_shown = nullptr;   // the component whose dialog is open

void Note(const char* what)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(g_module, path, MAX_PATH);
    const std::wstring log = std::wstring(path) + L".log";
    HANDLE h = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD wrote = 0;
    WriteFile(h, what, static_cast<DWORD>(strlen(what)), &wrote, nullptr);
    WriteFile(h, "\n", 1, &wrote, nullptr);
    CloseHandle(h);
}

class BareSets final : public _CSets, public IConnectionPointContainer, public IConnectionPoint {
public:
    BareSets() { InterlockedIncrement(&g_objects); }
    ~BareSets()
    {
        if (g_shown == this)
            g_shown = nullptr;
        if (sink_)
            sink_->Release();
        InterlockedDecrement(&g_objects);
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == plimsor::IID__CSets)
            *out = static_cast<_CSets*>(this);
        else if (iid == IID_IConnectionPointContainer)
            *out = static_cast<IConnectionPointContainer*>(this);
        else if (iid == IID_IConnectionPoint)
            *out = static_cast<IConnectionPoint*>(this);
        else
            return *out = nullptr, E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG n = InterlockedDecrement(&refs_);
        if (n == 0) {
            Note("released");
            delete this;
        }
        return n;
    }

    // IDispatch: the host calls through the vtable.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    STDMETHODIMP SaveSettings() override { return S_OK; }
    STDMETHODIMP ShowWindow(VARIANT_BOOL* result) override
    {
        if (result)
            *result = VARIANT_TRUE;
        g_shown = this;
        SetTimer(nullptr, 0, 100, &DialogClosed);
        return S_OK;
    }

    // The dialog's close: the event, and nothing of this object afterwards.
    static void CALLBACK DialogClosed(HWND, UINT, UINT_PTR timer, DWORD)
    {
        KillTimer(nullptr, timer);
        BareSets* sets = g_shown;
        g_shown = nullptr;
        if (!sets)
            return;
        if (IDispatch* sink = sets->sink_) {
            sink->AddRef();
            DISPPARAMS none = {nullptr, nullptr, 0, 0};
            sink->Invoke(plimsor::DISPID_SettingsChanged, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                         nullptr, nullptr, nullptr);
            sink->Release();
        }
        Note("raised");
    }

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        if (iid != plimsor::DIID___CSets)
            return *out = nullptr, CONNECT_E_NOCONNECTION;
        *out = this;
        AddRef();
        return S_OK;
    }

    STDMETHODIMP GetConnectionInterface(IID* iid) override { return *iid = plimsor::DIID___CSets, S_OK; }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override
    {
        *out = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override
    {
        IDispatch* dispatch = nullptr;
        if (!sink || FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
            return CONNECT_E_CANNOTCONNECT;
        if (sink_)
            sink_->Release();
        sink_ = dispatch;
        *cookie = 1;
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD) override
    {
        if (sink_)
            sink_->Release();
        sink_ = nullptr;
        return S_OK;
    }
    STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

private:
    LONG refs_ = 1;
    IDispatch* sink_ = nullptr;
};

class Factory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid != IID_IUnknown && iid != IID_IClassFactory)
            return *out = nullptr, E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        BareSets* sets = new BareSets();
        const HRESULT hr = sets->QueryInterface(iid, out);
        sets->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = instance;
    return TRUE;
}

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    if (clsid != plimsor::CLSID_CSets)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() { return g_objects == 0 ? S_OK : S_FALSE; }

} // extern "C"
