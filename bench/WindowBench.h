#pragma once
// The window benchmarks' road into a running TARNEL.exe: started in a
// program folder on a page, its editor found, messages sent and keys typed
// as window messages.
#include "MenuIds.h"
#include "WindowTest.h"

#include <windows.h>

#include <string>

namespace bench {

// Sends and waits as long as the program's longest command may take.
inline LRESULT Send(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0)
{
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, msg, wp, lp, SMTO_NORMAL, 120000, &r);
    return static_cast<LRESULT>(r);
}

// The editor shown: parked documents keep hidden RichEdit windows of their own.
inline HWND Editor(HWND main)
{
    for (HWND w : wt::Children(main))
        if (IsWindowVisible(w) && (lstrcmpiW(wt::ClassName(w).c_str(), L"RICHEDIT50W") == 0 ||
                                   lstrcmpiW(wt::ClassName(w).c_str(), L"RichEdit20W") == 0))
            return w;
    return nullptr;
}

// A key down, its character (none when 0) and the key up, sent to the editor.
inline void Key(HWND re, WPARAM vk, wchar_t ch)
{
    Send(re, WM_KEYDOWN, vk, 1);
    if (ch)
        Send(re, WM_CHAR, ch, 1);
    Send(re, WM_KEYUP, vk, 0xC0000001);
}

// Starts the program in `folder` on `page` and waits for its main window to
// show the page and the start-up to end; null when it did not within a minute.
inline HWND StartOn(wt::Process& p, const std::wstring& folder, const std::wstring& page)
{
    if (!p.Start(folder + L"\\TARNEL.exe", L"\"" + page + L"\"", folder))
        return nullptr;
    const std::wstring name = page.substr(page.find_last_of(L'\\') + 1);
    HWND main = nullptr;
    wt::WaitFor([&] {
        for (HWND w : p.TopWindows())
            if (wt::WindowText(w).find(name) != std::wstring::npos)
                main = w;
        return main && Editor(main);
    }, 60000);
    if (!main || !Editor(main))
        return nullptr;
    Send(main, WM_NULL);
    return main;
}

// Exit, answering No to every question of saving; the process is ended
// when it has not gone after three of them.
inline void ExitWithoutSaving(wt::Process& p, HWND main)
{
    wt::PostCommand(main, IDM_mExit);
    for (int i = 0; i < 3 && p.WaitExit(3000) == -1; ++i) {
        wt::Dialog d = wt::FindDialog(p, 1000);
        if (d.hwnd)
            wt::PressButton(d.hwnd, IDNO);
    }
    if (p.Running())
        p.Kill();
}

} // namespace bench
