#pragma once
// CSets: the settings library's one creatable COM class. It reads the
// settings record when created, shows the settings dialog FSets on
// ShowWindow, and when the user closes the dialog writes the record and
// raises SettingsChanged through its connection point.
#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <vector>

#include "platform/ComRef.h"
#include "PlimsorIds.h"

class FSets;

class CSets final : public _CSets, public IConnectionPointContainer, public IProvideClassInfo2 {
public:
    // Creates a new object and returns the interface asked for.
    static HRESULT Create(REFIID iid, void** out);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IDispatch, answered from the embedded type library
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* argErr) override;
    // _CSets
    STDMETHODIMP SaveSettings() override;
    STDMETHODIMP ShowWindow(VARIANT_BOOL* result) override;
    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;
    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    // The dialog's WindowClosed event.
    void FS_WindowClosed();

private:
    // The connection point of __CSets; part of the CSets object, so it shares
    // its reference count.
    class EventPoint final : public IConnectionPoint {
    public:
        explicit EventPoint(CSets& owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
        STDMETHODIMP_(ULONG) AddRef() override { return owner_.AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return owner_.Release(); }
        STDMETHODIMP GetConnectionInterface(IID* iid) override;
        STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
        STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
        STDMETHODIMP Unadvise(DWORD cookie) override;
        STDMETHODIMP EnumConnections(IEnumConnections** out) override;

    private:
        CSets& owner_;
    };

    struct Sink {
        DWORD cookie;
        platform::ComRef<IDispatch> dispatch;
    };

    CSets();
    ~CSets();
    CSets(const CSets&) = delete;
    CSets& operator=(const CSets&) = delete;

    HRESULT LoadTypeInfo();
    void RaiseSettingsChanged();

    LONG refs_ = 1;
    EventPoint events_{*this};
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;
    platform::ComRef<ITypeLib> typeLib_;
    platform::ComRef<ITypeInfo> vtableInfo_;  // _CSets as a vtable interface, for DispInvoke
    std::unique_ptr<FSets> FS;
};
