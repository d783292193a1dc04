#include "CToolTip/ModTTipOps.h"

#include "forms/Runtime.h"
#include "platform/Text.h"

namespace ModTTipOps {

namespace {

std::weak_ptr<std::remove_pointer_t<HFONT>> g_tipFont;

struct ServerSearch {
    std::wstring fragment;
    HWND found = nullptr;
};

BOOL CALLBACK FindServerChild(HWND child, LPARAM lp)
{
    auto* search = reinterpret_cast<ServerSearch*>(lp);
    wchar_t name[256] = {};
    int n = GetClassNameW(child, name, 256);
    if (n > 0 && platform::Upper(std::wstring(name, n)).find(search->fragment) != std::wstring::npos) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

} // namespace

TipFont SetTipFont(HWND window, int points, const std::wstring& face)
{
    TipFont font = g_tipFont.lock();
    if (!font) {
        HFONT made = CreateFontW(-MulDiv(points, forms::ScreenDpiY(), 72), 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH, face.c_str());
        if (!made)
            return nullptr;
        font = TipFont(made, [](HFONT f) { DeleteObject(f); });
        g_tipFont = font;
    }
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    return font;
}

HFONT CurrentTipFont()
{
    return g_tipFont.lock().get();
}

HWND FindBrowserServerWindow(HWND window)
{
    ServerSearch search{platform::Upper(L"Explorer_Server")};
    EnumChildWindows(window, FindServerChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace ModTTipOps
