#pragma once
// Answers for the windows' questions while a handler runs in this process:
// message boxes through the platform's interceptor, input boxes by a timer
// that fills the box and presses OK.
#include "forms/Runtime.h"
#include "platform/Messages.h"

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace browsertest {

struct Answers {
    std::vector<std::wstring> messages;  // every message box's text
    std::deque<int> buttons;             // the buttons pressed, in turn (OK when none left)

    Answers()
    {
        platform::SetMessageInterceptor([this](const std::wstring& text, const std::wstring&, UINT) {
            messages.push_back(text);
            int b = buttons.empty() ? IDOK : buttons.front();
            if (!buttons.empty())
                buttons.pop_front();
            return b;
        });
    }
    ~Answers() { platform::SetMessageInterceptor(nullptr); }

    // The next input box of this thread receives text and OK.
    static void Type(const std::wstring& text)
    {
        Pending() = text;
        SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
            HWND box = nullptr;
            EnumThreadWindows(
                GetCurrentThreadId(),
                [](HWND w, LPARAM found) {
                    if (!GetDlgItem(w, forms::kInputBoxTextId))
                        return TRUE;
                    *reinterpret_cast<HWND*>(found) = w;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&box));
            if (!box)
                return;
            KillTimer(nullptr, id);
            SetDlgItemTextW(box, forms::kInputBoxTextId, Pending().c_str());
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
    }

private:
    static std::wstring& Pending()
    {
        static std::wstring text;
        return text;
    }
};

} // namespace browsertest
