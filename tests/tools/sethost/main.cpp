// sethost: a small host of the settings library for the window tests. It
// creates CSets from plimsor.dll beside it through DirectCOM's GETINSTANCE,
// sinks SettingsChanged, shows the dialog and ends after the first event.
//
//   sethost [--release-in-event] [--log <file>]
//
// The DLLs are taken from sethost's own folder when plimsor.dll lies there,
// else from the folder above it (the program folder of a build).
// --release-in-event  drops the object from inside the SettingsChanged
//                     handler, as the main program does, and logs whether
//                     the object and its dialog still lived afterwards
//                     ("released in event: object alive, dialog alive"),
//                     and whether the dialog outlived the handling of its
//                     close message ("after close: dialog alive").
// --log <file>        appends "created", "shown", "SettingsChanged" and
//                     "released events=<n>" lines to the file.
// Exit codes: 0 after the event, 2 DirectCOM or the object missing,
// 3 no connection point, 4 ShowWindow failed.
#include <windows.h>
#include <ocidl.h>

#include <cstdio>
#include <string>

#include "DirectCOM.h"
#include "PlimsorIds.h"
#include "platform/Module.h"
#include "platform/ComRef.h"

using platform::ComRef;

namespace {

std::wstring g_log;
bool g_releaseInEvent = false;
int g_events = 0;

void Log(const std::wstring& line)
{
    if (g_log.empty())
        return;
    FILE* f = _wfopen(g_log.c_str(), L"a");
    if (!f)
        return;
    fwprintf(f, L"%ls\n", line.c_str());
    fclose(f);
}

std::wstring ExeFolder()
{
    return platform::ModuleFolder(nullptr);
}

// The host's hold on the settings object, as the main program keeps it.
struct Host {
    ComRef<_CSets> CS;
    ComRef<IConnectionPoint> point;
    DWORD cookie = 0;

    void Release()
    {
        if (point && cookie)
            point->Unadvise(cookie);
        point.Reset();
        cookie = 0;
        CS.Reset();
    }
} g_host;

// Listens to SettingsChanged. The host's own sink reacts; a watching sink
// only counts references: the object holds one for as long as it lives, so
// the count tells whether the object is still there after the host let go.
class Sink final : public IDispatch {
public:
    explicit Sink(bool host) : host_(host) {}
    ULONG Refs() const { return refs_; }
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == plimsor::DIID___CSets) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override { return --refs_; }  // lives in static storage
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

private:
    bool host_;
    ULONG refs_ = 1;
};
Sink g_sink(true);
Sink g_watch(false);

STDMETHODIMP Sink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    if (id != plimsor::DISPID_SettingsChanged)
        return DISP_E_MEMBERNOTFOUND;
    if (!host_)
        return S_OK;
    ++g_events;
    Log(L"SettingsChanged");
    if (g_releaseInEvent) {
        const ULONG watched = g_watch.Refs();
        g_host.Release();
        // The library must keep the object and its dialog until this
        // handler returns.
        bool objectAlive = g_watch.Refs() == watched;
        bool dialogAlive = FindWindowW(nullptr, L"TARNEL Settings") != nullptr;
        Log(std::wstring(L"released in event: object ") + (objectAlive ? L"alive" : L"gone") +
            L", dialog " + (dialogAlive ? L"alive" : L"gone"));
    }
    PostQuitMessage(0);
    return S_OK;
}

int Run()
{
    std::wstring folder = ExeFolder();
    if (GetFileAttributesW((folder + L"\\plimsor.dll").c_str()) == INVALID_FILE_ATTRIBUTES)
        folder = folder.substr(0, folder.find_last_of(L'\\'));
    HMODULE directCom = LoadLibraryW((folder + L"\\DirectCOM.dll").c_str());
    if (!directCom)
        return 2;
    auto getInstance = reinterpret_cast<GetInstanceProc>(GetProcAddress(directCom, "GETINSTANCE"));
    if (!getInstance)
        return 2;
    ComRef<IUnknown> object = ComRef<IUnknown>::Attach(getInstance((folder + L"\\plimsor.dll").c_str(), L"CSets"));
    if (!object || FAILED(object->QueryInterface(plimsor::IID__CSets, reinterpret_cast<void**>(g_host.CS.Out()))))
        return 2;
    object.Reset();
    Log(L"created");

    ComRef<IConnectionPointContainer> cpc;
    if (FAILED(g_host.CS->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(cpc.Out()))) ||
        FAILED(cpc->FindConnectionPoint(plimsor::DIID___CSets, g_host.point.Out())) ||
        FAILED(g_host.point->Advise(&g_sink, &g_host.cookie)))
        return 3;
    DWORD watchCookie = 0;  // never unadvised: the object lets it go when it ends
    if (g_releaseInEvent && FAILED(g_host.point->Advise(&g_watch, &watchCookie)))
        return 3;
    cpc.Reset();

    VARIANT_BOOL shown = VARIANT_TRUE;
    if (FAILED(g_host.CS->ShowWindow(&shown)))
        return 4;
    Log(shown == VARIANT_FALSE ? L"shown" : L"shown returned true");

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        // A dialog is not destroyed inside its own close handling: it goes
        // once the message loop runs again.
        if (g_releaseInEvent && msg.message == WM_CLOSE)
            Log(std::wstring(L"after close: dialog ") + (IsWindow(msg.hwnd) ? L"alive" : L"gone"));
    }
    g_host.Release();
    // Let anything the library left for the message loop run before the end.
    for (int i = 0; i < 5; ++i) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }
    Log(L"released events=" + std::to_wstring(g_events));
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring a = argv[i];
        if (a == L"--release-in-event")
            g_releaseInEvent = true;
        else if (a == L"--log" && i + 1 < argc)
            g_log = argv[++i];
    }
    if (FAILED(CoInitialize(nullptr)))
        return 2;
    int rc = Run();
    CoUninitialize();
    return rc;
}
