#pragma once
// Driving the main window's tool bars from outside: drawn controls found by
// their captions and by their place inside their frame (clicks through
// wt::Click), files and menu checks read back.
#include <windows.h>
#include <dlgs.h>

#include <fstream>
#include <string>
#include <vector>

#include "MenuIds.h"
#include "TarnelCopy.h"
#include "WindowTest.h"
#include "platform/SystemFolders.h"

namespace drive {

inline std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteAll(const std::wstring& path, const std::string& text)
{
    std::ofstream(std::string(path.begin(), path.end()), std::ios::binary) << text;
}

inline bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

using platform::TempFolder;

inline void SetText(HWND w, const std::wstring& text)
{
    wt::Send(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

inline void Select(HWND editor, long start, long end)
{
    wt::Send(editor, EM_SETSEL, static_cast<WPARAM>(start), end);
}

// The window that draws the label (or picture) with this caption (tip).
inline HWND FrameOf(HWND main, const std::wstring& caption)
{
    return wt::FindDrawn(main, caption).container;
}

// What the mouse finds at a point of a frame (twips in the frame): the
// frontmost shown drawn control, its place among all the frame's drawn
// controls (frontmost first, hidden ones too once made) and how many shown ones lie
// there. The place tells apart controls shown in turn at one spot, which
// may look alike.
struct Spot {
    wt::Drawn drawn;
    int place = -1;
    int shown = 0;
};

inline Spot SpotAt(HWND frame, int xTwips, int yTwips)
{
    POINT p{xTwips / 15 + 4, yTwips / 15 + 4};
    ClientToScreen(frame, &p);
    Spot spot;
    const std::vector<wt::Drawn> all = wt::DrawnIn(frame);
    for (size_t i = 0; i < all.size(); ++i) {
        if (!all[i].visible || !PtInRect(&all[i].screen, p))
            continue;
        if (spot.shown++ == 0) {
            spot.drawn = all[i];
            spot.place = static_cast<int>(i);
        }
    }
    return spot;
}

inline wt::Drawn VisibleAt(HWND frame, int xTwips, int yTwips)
{
    return SpotAt(frame, xTwips, yTwips).drawn;
}

// Types the path into an open dialog's name box and presses OK; true once
// the dialog is gone. The dialog fills the box itself a moment after it
// shows, so the path is typed until it stays.
inline bool ChooseFile(HWND dialog, const std::wstring& path)
{
    HWND edit = GetDlgItem(dialog, edt1);
    if (!edit)
        edit = GetDlgItem(dialog, cmb13);
    wt::WaitFor([&] {
        Sleep(100);
        SetText(edit, path);
        Sleep(100);
        return wt::WindowText(edit) == path;
    }, 3000);
    wt::PressButton(dialog, IDOK);
    return wt::WaitFor([&] { return !IsWindow(dialog); }, 5000);
}

// The text on the clipboard; "<none>" when it holds none.
inline std::wstring ClipboardText()
{
    std::wstring out = L"<none>";
    if (!OpenClipboard(nullptr))
        return out;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            out = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return out;
}

// Answers the save question of a changed document with No and waits for the end.
inline bool ExitWithoutSaving(apptest::Tarnel& t)
{
    t.Command(IDM_mExit);
    wt::Dialog ask = wt::FindDialog(t.Process(), 5000);
    if (ask.hwnd)
        wt::PressButton(ask.hwnd, IDNO);
    return t.Ends();
}

} // namespace drive
