#include "CSets.h"

#include <olectl.h>

#include <algorithm>
#include <new>

#include "FSets/FSets.h"
#include "forms/Runtime.h"
#include "PlimsorModule.h"
#include "platform/Module.h"
#include "SettingsRecord.h"
#include "SnapshotEnum.h"

namespace {

// A dialog whose CSets was released from inside the dialog's own close
// handling cannot be destroyed there: its window procedure is still on the
// stack. The runtime destroys it once the message loop runs again; the
// library stays loaded until then.
void DestroyLater(std::unique_ptr<FSets> form)
{
    if (!form)
        return;
    form->WindowClosed = nullptr;
    PlimsorModule::ObjectCreated();
    forms::DestroyLater(std::move(form), [] { PlimsorModule::ObjectDestroyed(); });
}

} // namespace

HRESULT CSets::Create(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    CSets* sets = new (std::nothrow) CSets();
    if (!sets)
        return E_OUTOFMEMORY;
    HRESULT hr = sets->QueryInterface(iid, out);
    sets->Release();
    return hr;
}

CSets::CSets()
{
    PlimsorModule::ObjectCreated();
    LoadTypeInfo();
    SettingsRecordFile::ReadSettingsFile();
}

CSets::~CSets()
{
    if (PlimsorModule::DialogLoaded() && FS) {
        if (FS->InCloseHandler())
            DestroyLater(std::move(FS));
        else
            FS.reset();
    }
    sinks_.clear();
    PlimsorModule::ObjectDestroyed();
}

HRESULT CSets::LoadTypeInfo()
{
    HRESULT hr = LoadTypeLibEx(platform::ModulePath(PlimsorModule::Instance()).c_str(), REGKIND_NONE, typeLib_.Out());
    if (FAILED(hr))
        return hr;
    platform::ComRef<ITypeInfo> dispInfo;
    hr = typeLib_->GetTypeInfoOfGuid(plimsor::IID__CSets, dispInfo.Out());
    if (FAILED(hr))
        return hr;
    // The type library describes a dual interface by its dispatch face; the
    // vtable face, which DispInvoke needs, is its implemented type -1.
    HREFTYPE ref = 0;
    if (SUCCEEDED(dispInfo->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)))
        hr = dispInfo->GetRefTypeInfo(ref, vtableInfo_.Out());
    else
        vtableInfo_ = dispInfo;
    return hr;
}

// IUnknown

STDMETHODIMP CSets::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == plimsor::IID__CSets)
        *out = static_cast<_CSets*>(this);
    else if (iid == IID_IConnectionPointContainer)
        *out = static_cast<IConnectionPointContainer*>(this);
    else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
        *out = static_cast<IProvideClassInfo2*>(this);
    else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CSets::AddRef() { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) CSets::Release()
{
    ULONG n = InterlockedDecrement(&refs_);
    if (n == 0)
        delete this;
    return n;
}

// IDispatch

STDMETHODIMP CSets::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = vtableInfo_ ? 1 : 0;
    return S_OK;
}

STDMETHODIMP CSets::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    if (!vtableInfo_)
        return E_FAIL;
    *info = platform::ComRef<ITypeInfo>::Share(vtableInfo_.Get()).Detach();
    return S_OK;
}

STDMETHODIMP CSets::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!vtableInfo_)
        return E_FAIL;
    return DispGetIDsOfNames(vtableInfo_.Get(), names, count, ids);
}

STDMETHODIMP CSets::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* excep, UINT* argErr)
{
    if (iid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (!vtableInfo_)
        return E_FAIL;
    platform::ComRef<CSets> keep = platform::ComRef<CSets>::Share(this);
    return DispInvoke(static_cast<_CSets*>(this), vtableInfo_.Get(), id, flags, params, result, excep, argErr);
}

// _CSets

STDMETHODIMP CSets::SaveSettings()
{
    SettingsRecordFile::WriteSettingsFile();
    return S_OK;
}

STDMETHODIMP CSets::ShowWindow(VARIANT_BOOL* result)
{
    if (result)
        *result = VARIANT_FALSE;
    try {
        platform::ComRef<CSets> keep = platform::ComRef<CSets>::Share(this);
        // A new dialog replaces the one shown before; that one goes, unless
        // it is busy closing.
        if (FS && FS->InCloseHandler())
            DestroyLater(std::move(FS));
        FS = std::make_unique<FSets>();
        FS->WindowClosed = [this] { FS_WindowClosed(); };
        FS->Load();
        FS->Show();
        PlimsorModule::SetDialogLoaded();
        // Let the new window paint before control goes back to the host.
        forms::DoEvents();
    } catch (...) {
    }
    return S_OK;
}

// IConnectionPointContainer

STDMETHODIMP CSets::EnumConnectionPoints(IEnumConnectionPoints** out)
{
    try {
        std::vector<IConnectionPoint*> points{&events_};
        return SnapshotEnum<IEnumConnectionPoints, IConnectionPoint*>::Create(points, out);
    } catch (...) {
        if (out)
            *out = nullptr;
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP CSets::FindConnectionPoint(REFIID iid, IConnectionPoint** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid != plimsor::DIID___CSets)
        return CONNECT_E_NOCONNECTION;
    *out = &events_;
    events_.AddRef();
    return S_OK;
}

// IProvideClassInfo2

STDMETHODIMP CSets::GetClassInfo(ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (!typeLib_)
        return E_FAIL;
    return typeLib_->GetTypeInfoOfGuid(plimsor::CLSID_CSets, info);
}

STDMETHODIMP CSets::GetGUID(DWORD kind, GUID* guid)
{
    if (!guid)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = plimsor::DIID___CSets;
    return S_OK;
}

// Events

void CSets::FS_WindowClosed()
{
    // The host commonly releases this object from its SettingsChanged
    // handler; the object and its dialog must outlive the raise.
    platform::ComRef<CSets> keep = platform::ComRef<CSets>::Share(this);
    try {
        SettingsRecordFile::WriteSettingsFile();
    } catch (...) {
    }
    RaiseSettingsChanged();
}

void CSets::RaiseSettingsChanged()
{
    std::vector<platform::ComRef<IDispatch>> targets;
    try {
        for (const Sink& s : sinks_)
            targets.push_back(s.dispatch);
    } catch (...) {
        return;
    }
    // A copy: a handler may unadvise or release while the event runs.
    for (const platform::ComRef<IDispatch>& sink : targets) {
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        VARIANT result;
        VariantInit(&result);
        sink->Invoke(plimsor::DISPID_SettingsChanged, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                     &result, nullptr, nullptr);
        VariantClear(&result);
    }
}

// Connection point

STDMETHODIMP CSets::EventPoint::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CSets::EventPoint::GetConnectionInterface(IID* iid)
{
    if (!iid)
        return E_POINTER;
    *iid = plimsor::DIID___CSets;
    return S_OK;
}

STDMETHODIMP CSets::EventPoint::GetConnectionPointContainer(IConnectionPointContainer** out)
{
    if (!out)
        return E_POINTER;
    *out = &owner_;
    owner_.AddRef();
    return S_OK;
}

STDMETHODIMP CSets::EventPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    if (!sink)
        return E_POINTER;
    platform::ComRef<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(plimsor::DIID___CSets, reinterpret_cast<void**>(dispatch.Out()))) &&
        FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Out()))))
        return CONNECT_E_CANNOTCONNECT;
    try {
        owner_.sinks_.push_back({owner_.nextCookie_, dispatch});
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    *cookie = owner_.nextCookie_++;
    return S_OK;
}

STDMETHODIMP CSets::EventPoint::Unadvise(DWORD cookie)
{
    auto& sinks = owner_.sinks_;
    auto it = std::find_if(sinks.begin(), sinks.end(), [cookie](const Sink& s) { return s.cookie == cookie; });
    if (it == sinks.end())
        return CONNECT_E_NOCONNECTION;
    sinks.erase(it);
    return S_OK;
}

STDMETHODIMP CSets::EventPoint::EnumConnections(IEnumConnections** out)
{
    try {
        std::vector<CONNECTDATA> connections;
        for (const Sink& s : owner_.sinks_)
            connections.push_back({s.dispatch.Get(), s.cookie});
        return SnapshotEnum<IEnumConnections, CONNECTDATA>::Create(connections, out);
    } catch (...) {
        if (out)
            *out = nullptr;
        return E_OUTOFMEMORY;
    }
}
