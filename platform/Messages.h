#pragma once
// The one route by which a message reaches the user: a message box with the
// program's title unless a caller names another. Tests install an
// interceptor that receives every message and answers for the user.
#include <windows.h>

#include <functional>
#include <string>

namespace platform {

// The title of the program's messages.
extern const wchar_t kProgramTitle[];

// Message box styles by what the message means.
namespace MessageStyle {
constexpr UINT Information = MB_OK | MB_ICONINFORMATION;
constexpr UINT Error = MB_OK | MB_ICONERROR;
constexpr UINT Warning = MB_OK | MB_ICONEXCLAMATION;
constexpr UINT YesNo = MB_YESNO | MB_ICONQUESTION;
constexpr UINT YesNoCancel = MB_YESNOCANCEL | MB_ICONQUESTION;
} // namespace MessageStyle

// Shows text in a message box over owner (none: no owner) and returns the
// button pressed (IDOK, IDYES, ...); 0 when the box could not be shown.
int ShowMessage(const std::wstring& text, UINT style = MessageStyle::Information, HWND owner = nullptr,
                const std::wstring& title = kProgramTitle);

// The system's description of an error code or HRESULT, without its line
// end; "" when the system has none.
std::wstring SystemErrorText(DWORD code);

// Receives every message instead of a message box and returns the button
// that answers it. Empty: message boxes again.
using MessageInterceptor = std::function<int(const std::wstring& text, const std::wstring& title, UINT style)>;
void SetMessageInterceptor(MessageInterceptor interceptor);

} // namespace platform
