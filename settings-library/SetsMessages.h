#pragma once
// Message boxes of the settings library.
#include <windows.h>

#include <string>

namespace SetsMessages {

// The library's default message title.
extern const wchar_t kTitle[];
// The title of the settings record's messages.
extern const wchar_t kRecordTitle[];

int Show(HWND owner, const std::wstring& text, UINT style = MB_OK | MB_ICONINFORMATION,
         const wchar_t* title = kTitle);

} // namespace SetsMessages
