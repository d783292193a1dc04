#include "Drawn.h"

#include "forms/Accessible.h"

#include <oleacc.h>

#include <algorithm>

namespace wt {

namespace {

using forms::detail::kIAccessible;

void EnsureCom()
{
    static const HRESULT once = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)once;
}

VARIANT ChildId(long id)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

bool IsFormWindow(HWND h)
{
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    return wcsncmp(cls, L"TarnelForm", 10) == 0;
}

// Reads the drawn controls of w. Each property is a call into the other
// process, and a form holds hundreds of drawn controls: with a name given,
// only the controls of that name are read past their names.
std::vector<Drawn> ReadDrawn(HWND w, const std::wstring* only)
{
    std::vector<Drawn> found;
    EnsureCom();
    IAccessible* acc = nullptr;
    if (FAILED(AccessibleObjectFromWindow(w, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                          reinterpret_cast<void**>(&acc))) ||
        !acc)
        return found;
    // A form's object lists its drawn controls alone; another window's
    // standard object counts its child windows too, which are objects of
    // their own where drawn controls are simple children.
    const bool mixed = !IsFormWindow(w);
    long count = 0;
    if (FAILED(acc->get_accChildCount(&count)))
        count = 0;
    for (long i = 1; i <= count; ++i) {
        VARIANT id = ChildId(i);
        Drawn d;
        BSTR name = nullptr;
        if (acc->get_accName(id, &name) == S_OK && name)
            d.name.assign(name, SysStringLen(name));
        SysFreeString(name);
        if (only && d.name != *only)
            continue;
        IDispatch* object = nullptr;
        if (mixed && acc->get_accChild(id, &object) == S_OK) {
            if (object)
                object->Release();
            continue;
        }
        VARIANT role, state;
        VariantInit(&role);
        VariantInit(&state);
        if (FAILED(acc->get_accRole(id, &role)) || role.vt != VT_I4 ||
            (role.lVal != ROLE_SYSTEM_STATICTEXT && role.lVal != ROLE_SYSTEM_GRAPHIC))
            continue;
        d.container = w;
        d.role = role.lVal;
        if (SUCCEEDED(acc->get_accState(id, &state)) && state.vt == VT_I4) {
            d.visible = !(state.lVal & STATE_SYSTEM_INVISIBLE);
            d.enabled = !(state.lVal & STATE_SYSTEM_UNAVAILABLE);
        }
        long x = 0, y = 0, cx = 0, cy = 0;
        if (SUCCEEDED(acc->accLocation(&x, &y, &cx, &cy, id)))
            d.screen = RECT{x, y, x + cx, y + cy};
        found.push_back(d);
    }
    acc->Release();
    return found;
}

// top and the form windows inside it: only those hold drawn controls.
std::vector<HWND> Containers(HWND top)
{
    std::vector<HWND> windows{top};
    EnumChildWindows(top, [](HWND h, LPARAM lp) -> BOOL {
        if (IsFormWindow(h))
            reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

} // namespace

std::vector<Drawn> DrawnIn(HWND w)
{
    return ReadDrawn(w, nullptr);
}

std::vector<Drawn> DrawnControls(HWND top)
{
    std::vector<Drawn> all;
    for (HWND w : Containers(top)) {
        std::vector<Drawn> in = DrawnIn(w);
        all.insert(all.end(), in.begin(), in.end());
    }
    return all;
}

Drawn FindDrawn(HWND top, const std::wstring& name)
{
    // Each container is read once, and the search ends at the first visible
    // match.
    Drawn hidden;
    for (HWND w : Containers(top))
        for (const Drawn& d : ReadDrawn(w, &name)) {
            if (d.visible)
                return d;
            if (!hidden)
                hidden = d;
        }
    return hidden;
}

RECT RectIn(const Drawn& d, HWND of)
{
    RECT o{};
    GetWindowRect(of, &o);
    RECT r = d.screen;
    OffsetRect(&r, -o.left, -o.top);
    return r;
}

void PostMouse(const Drawn& d, UINT msg, WPARAM keys)
{
    POINT p{d.screen.left + std::min<LONG>(5, (d.screen.right - d.screen.left) / 2),
            d.screen.top + std::min<LONG>(5, (d.screen.bottom - d.screen.top) / 2)};
    ScreenToClient(d.container, &p);
    PostMessageW(d.container, msg, keys, MAKELPARAM(p.x, p.y));
}

void Click(const Drawn& d)
{
    PostMouse(d, WM_MOUSEMOVE);
    PostMouse(d, WM_LBUTTONDOWN, MK_LBUTTON);
    PostMouse(d, WM_LBUTTONUP);
}

void RightClick(const Drawn& d)
{
    PostMouse(d, WM_RBUTTONDOWN, MK_RBUTTON);
    PostMouse(d, WM_RBUTTONUP);
}

} // namespace wt
