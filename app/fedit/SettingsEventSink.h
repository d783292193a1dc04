#pragma once
#include "PlimsorIds.h"

#include <windows.h>
#include <oaidl.h>

class fedit;

// Receives SettingsChanged of the settings component for the main window.
class SettingsEventSink final : public IDispatch {
public:
    explicit SettingsEventSink(fedit& owner) : owner_(owner) {}
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
    // Owned by the window, which unadvises before it lets the sink go.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override
    {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (id != plimsor::DISPID_SettingsChanged)
            return DISP_E_MEMBERNOTFOUND;
        Raise();
        return S_OK;
    }

private:
    void Raise();
    fedit& owner_;
};

