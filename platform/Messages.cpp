#include "platform/Messages.h"

#include <utility>

namespace platform {

const wchar_t kProgramTitle[] = L"TARNEL Editor";

namespace {

MessageInterceptor& Interceptor()
{
    static MessageInterceptor interceptor;
    return interceptor;
}

} // namespace

int ShowMessage(const std::wstring& text, UINT style, HWND owner, const std::wstring& title)
{
    if (Interceptor())
        return Interceptor()(text, title, style);
    return MessageBoxW(owner, text.c_str(), title.c_str(), style);
}

std::wstring SystemErrorText(DWORD code)
{
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring out = n && text ? std::wstring(text, n) : L"";
    if (text)
        LocalFree(text);
    while (!out.empty() && (out.back() == L'\n' || out.back() == L'\r' || out.back() == L' '))
        out.pop_back();
    return out;
}

void SetMessageInterceptor(MessageInterceptor interceptor)
{
    Interceptor() = std::move(interceptor);
}

} // namespace platform
