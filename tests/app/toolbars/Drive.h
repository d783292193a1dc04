#pragma once
// Driving the main window's tool bars from outside: controls found by their
// captions and by their place inside their frame, clicks as the mouse sends
// them, files and menu checks read back.
#include <windows.h>
#include <dlgs.h>

#include <fstream>
#include <string>

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

// The frame that holds the control with this caption.
inline HWND FrameOf(HWND main, const std::wstring& caption)
{
    HWND c = wt::FindChild(main, L"", caption);
    return c ? GetParent(c) : nullptr;
}

// The visible child of frame whose rectangle holds the point (twips in the frame).
inline HWND VisibleAt(HWND frame, int xTwips, int yTwips)
{
    POINT p{xTwips / 15 + 4, yTwips / 15 + 4};
    HWND c = ChildWindowFromPointEx(frame, p, CWP_SKIPINVISIBLE);
    return c == frame ? nullptr : c;
}

inline void Mouse(HWND w, UINT msg, WPARAM keys = 0)
{
    PostMessageW(w, msg, keys, MAKELPARAM(5, 5));
}

inline void Click(HWND w)
{
    Mouse(w, WM_MOUSEMOVE);
    Mouse(w, WM_LBUTTONDOWN, MK_LBUTTON);
    Mouse(w, WM_LBUTTONUP);
}

inline void RightClick(HWND w)
{
    Mouse(w, WM_RBUTTONDOWN, MK_RBUTTON);
    Mouse(w, WM_RBUTTONUP);
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
