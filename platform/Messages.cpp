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

void SetMessageInterceptor(MessageInterceptor interceptor)
{
    Interceptor() = std::move(interceptor);
}

} // namespace platform
