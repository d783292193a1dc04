#include "SetsMessages.h"

namespace SetsMessages {

const wchar_t kTitle[] = L"plimsor";
const wchar_t kRecordTitle[] = L"TARNEL Editor Settings";

int Show(HWND owner, const std::wstring& text, UINT style, const wchar_t* title)
{
    return MessageBoxW(owner, text.c_str(), title, style);
}

} // namespace SetsMessages
