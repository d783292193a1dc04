#include "MessagePump.h"

#include "Form.h"
#include "Internal.h"

namespace forms {

bool PreTranslateMessage(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd)
        return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (!root)
        return false;
    // Sent, not called: the form may live in another module (a DLL's forms
    // are served by the program's loop).
    return SendMessageW(root, detail::PreTranslateMessageId(), 0,
                        reinterpret_cast<LPARAM>(&msg)) == detail::kConsumed;
}

int RunMessageLoop(bool untilNoForms)
{
    MSG msg;
    for (;;) {
        if (untilNoForms && LoadedForms().empty())
            return 0;
        BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0)
            return static_cast<int>(msg.wParam);
        if (r < 0)
            return -1;
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

} // namespace forms
