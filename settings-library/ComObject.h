#pragma once
// The IUnknown of a heap object that answers one interface: it starts with
// one reference and deletes itself when the last one goes.
#include <windows.h>
#include <unknwn.h>

template <class Interface>
class ComObject : public Interface {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == __uuidof(Interface)) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG n = InterlockedDecrement(&refs_);
        if (n == 0)
            delete this;
        return n;
    }

protected:
    virtual ~ComObject() = default;

private:
    LONG refs_ = 1;
};
