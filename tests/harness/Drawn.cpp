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

} // namespace

std::vector<Drawn> DrawnIn(HWND w)
{
    std::vector<Drawn> found;
    EnsureCom();
    IAccessible* acc = nullptr;
    if (FAILED(AccessibleObjectFromWindow(w, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                          reinterpret_cast<void**>(&acc))) ||
        !acc)
        return found;
    long count = 0;
    if (FAILED(acc->get_accChildCount(&count)))
        count = 0;
    for (long i = 1; i <= count; ++i) {
        VARIANT id = ChildId(i);
        // A window's standard object counts its child windows too: those
        // are objects of their own, the drawn controls simple children.
        IDispatch* object = nullptr;
        if (acc->get_accChild(id, &object) == S_OK) {
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
        Drawn d;
        d.container = w;
        d.role = role.lVal;
        if (SUCCEEDED(acc->get_accState(id, &state)) && state.vt == VT_I4) {
            d.visible = !(state.lVal & STATE_SYSTEM_INVISIBLE);
            d.enabled = !(state.lVal & STATE_SYSTEM_UNAVAILABLE);
        }
        BSTR name = nullptr;
        if (acc->get_accName(id, &name) == S_OK && name)
            d.name.assign(name, SysStringLen(name));
        SysFreeString(name);
        long x = 0, y = 0, cx = 0, cy = 0;
        if (SUCCEEDED(acc->accLocation(&x, &y, &cx, &cy, id)))
            d.screen = RECT{x, y, x + cx, y + cy};
        found.push_back(d);
    }
    acc->Release();
    return found;
}

std::vector<Drawn> DrawnControls(HWND top)
{
    std::vector<HWND> windows{top};
    EnumChildWindows(top, [](HWND h, LPARAM lp) -> BOOL {
        wchar_t cls[64] = {};
        GetClassNameW(h, cls, 64);
        // Only the form runtime's windows hold drawn controls.
        if (wcsncmp(cls, L"TarnelForm", 10) == 0)
            reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&windows));
    std::vector<Drawn> all;
    for (HWND w : windows) {
        std::vector<Drawn> in = DrawnIn(w);
        all.insert(all.end(), in.begin(), in.end());
    }
    return all;
}

Drawn FindDrawn(HWND top, const std::wstring& name)
{
    std::vector<Drawn> all = DrawnControls(top);
    std::stable_partition(all.begin(), all.end(), [](const Drawn& d) { return d.visible; });
    for (const Drawn& d : all)
        if (d.name == name)
            return d;
    return Drawn{};
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
