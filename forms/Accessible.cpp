#include "Accessible.h"

#include "Windowless.h"

#include <oleacc.h>

#include <algorithm>
#include <memory>

namespace forms::detail {

namespace {

// The client object of a container window, its windowless controls as
// simple children numbered from 1, frontmost first.
class DrawnAccessible : public IAccessible {
public:
    explicit DrawnAccessible(HWND container) : container_(container) {}
    virtual ~DrawnAccessible() = default;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == kIAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch: not offered.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override
    {
        if (n)
            *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        if (!parent)
            return E_POINTER;
        *parent = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (!count)
            return E_POINTER;
        if (!IsWindow(container_))
            return CO_E_OBJNOTCONNECTED;
        *count = static_cast<long>(DrawnControls(container_).size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override
    {
        if (!child)
            return E_POINTER;
        *child = nullptr;
        return S_FALSE; // simple children only
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!name)
            return E_POINTER;
        *name = nullptr;
        Control* c = nullptr;
        if (HRESULT hr = Child(child, c); hr != S_OK || !c)
            return hr == S_OK ? S_FALSE : hr;
        const std::wstring text = c->AccessibleName();
        *name = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override
    {
        if (value)
            *value = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override
    {
        if (text)
            *text = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!role)
            return E_POINTER;
        Control* c = nullptr;
        if (HRESULT hr = Child(child, c); hr != S_OK)
            return hr;
        role->vt = VT_I4;
        role->lVal = c ? c->AccessibleRole() : ROLE_SYSTEM_CLIENT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (!state)
            return E_POINTER;
        Control* c = nullptr;
        if (HRESULT hr = Child(child, c); hr != S_OK)
            return hr;
        state->vt = VT_I4;
        state->lVal = 0;
        if (c && !c->Visible())
            state->lVal |= STATE_SYSTEM_INVISIBLE;
        if (c && !c->Enabled())
            state->lVal |= STATE_SYSTEM_UNAVAILABLE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override
    {
        if (help)
            *help = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long*) override
    {
        if (file)
            *file = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* keys) override
    {
        if (keys)
            *keys = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        if (!focus)
            return E_POINTER;
        focus->vt = VT_EMPTY;
        return S_FALSE; // windowless controls never take the focus
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        if (!selection)
            return E_POINTER;
        selection->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* action) override
    {
        if (action)
            *action = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override
    {
        if (!left || !top || !width || !height)
            return E_POINTER;
        Control* c = nullptr;
        if (HRESULT hr = Child(child, c); hr != S_OK)
            return hr;
        RECT r{};
        if (c)
            r = c->DrawnRect();
        else
            GetClientRect(container_, &r);
        MapWindowPoints(container_, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override
    {
        if (end)
            end->vt = VT_EMPTY;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override
    {
        if (!hit)
            return E_POINTER;
        hit->vt = VT_EMPTY;
        if (!IsWindow(container_))
            return CO_E_OBJNOTCONNECTED;
        POINT p{x, y};
        ScreenToClient(container_, &p);
        RECT client;
        GetClientRect(container_, &client);
        if (!PtInRect(&client, p))
            return S_FALSE;
        hit->vt = VT_I4;
        hit->lVal = CHILDID_SELF;
        const std::vector<Control*> drawn = DrawnControls(container_);
        if (Control* c = DrawnControlAt(drawn, p))
            hit->lVal = static_cast<long>(std::find(drawn.begin(), drawn.end(), c) - drawn.begin() + 1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // The control of a child id; null for the object itself.
    HRESULT Child(VARIANT child, Control*& c) const
    {
        c = nullptr;
        if (!IsWindow(container_))
            return CO_E_OBJNOTCONNECTED;
        if (child.vt != VT_I4)
            return E_INVALIDARG;
        if (child.lVal == CHILDID_SELF)
            return S_OK;
        const std::vector<Control*> drawn = DrawnControls(container_);
        if (child.lVal < 1 || static_cast<size_t>(child.lVal) > drawn.size())
            return E_INVALIDARG;
        c = drawn[static_cast<size_t>(child.lVal) - 1];
        return S_OK;
    }

    HWND container_;
    LONG refs_ = 1;
};

using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

// The accessibility library is loaded when first asked for, not at every
// start; it stays for the process's life.
LresultFromObjectFn LresultFromObjectNow()
{
    static const LresultFromObjectFn fn = [] {
        HMODULE lib = LoadLibraryW(L"oleacc.dll");
        return lib ? reinterpret_cast<LresultFromObjectFn>(
                         reinterpret_cast<void*>(GetProcAddress(lib, "LresultFromObject")))
                   : nullptr;
    }();
    return fn;
}

} // namespace

bool AnswerGetObject(HWND container, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (static_cast<LONG>(lp) != OBJID_CLIENT || DrawnControls(container).empty())
        return false;
    LresultFromObjectFn answer = LresultFromObjectNow();
    if (!answer)
        return false;
    auto* object = new DrawnAccessible(container);
    result = answer(kIAccessible, wp, object);
    object->Release();
    return result >= 0;
}

} // namespace forms::detail
