#include "ToolDrive.h"

#include <algorithm>

namespace tooldrive {

HWND Shown(apptest::Tarnel& t, const std::wstring& caption, DWORD ms)
{
    HWND found = nullptr;
    wt::WaitFor([&] {
        found = t.Process().FindTopWindow(L"", caption, 100);
        return found && IsWindowVisible(found);
    }, ms);
    return found && IsWindowVisible(found) ? found : nullptr;
}

std::vector<HWND> ChildrenOf(HWND parent, const std::wstring& cls)
{
    std::vector<HWND> out;
    for (HWND w : wt::Children(parent))
        if (lstrcmpiW(wt::ClassName(w).c_str(), cls.c_str()) == 0 && IsWindowVisible(w))
            out.push_back(w);
    std::sort(out.begin(), out.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return out;
}

void Press(HWND button)
{
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

HWND ChildWithText(HWND parent, const std::wstring& text, DWORD ms)
{
    HWND found = nullptr;
    wt::WaitFor([&] {
        for (HWND w : wt::Children(parent))
            if (IsWindowVisible(w) && wt::WindowText(w) == text) {
                found = w;
                return true;
            }
        return false;
    }, ms);
    return found;
}

std::wstring MessageText(apptest::Tarnel& t)
{
    wt::Dialog d = wt::FindDialog(t.Process(), 10000);
    if (!d.hwnd)
        return L"";
    wt::PressButton(d.hwnd, IDOK);
    wt::WaitFor([&] { return !IsWindow(d.hwnd); }, 5000);
    return d.text;
}

} // namespace tooldrive
