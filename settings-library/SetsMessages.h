#pragma once
// Message boxes of the settings library: the program's one route to the user
// (platform::ShowMessage) under the library's own title.
#include <windows.h>

#include <string>

#include "platform/Messages.h"

namespace SetsMessages {

// The library's message title.
inline constexpr wchar_t kTitle[] = L"plimsor";

inline int Show(HWND owner, const std::wstring& text, UINT style = platform::MessageStyle::Information)
{
    return platform::ShowMessage(text, style, owner, kTitle);
}

} // namespace SetsMessages
