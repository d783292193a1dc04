#include "WebSafeColor.h"

#include "platform/Text.h"

#include <cwchar>

namespace picker {

namespace {

int HexValue(const std::wstring& digits)
{
    return static_cast<int>(std::wcstol(digits.c_str(), nullptr, 16));
}

bool IsHexDigit(wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F'); }

} // namespace

UINT CheckHexCode(std::wstring& code)
{
    if (code.size() != 6)
        return IDS_HEX_LENGTH;
    code = platform::Upper(code);
    for (wchar_t c : code)
        if (!IsHexDigit(c))
            return IDS_HEX_DIGITS;
    return 0;
}

COLORREF ColourOfCode(const std::wstring& code)
{
    return RGB(HexValue(code.substr(0, 2)), HexValue(code.substr(2, 2)), HexValue(code.substr(4, 2)));
}

std::wstring CodeOfColour(COLORREF colour)
{
    wchar_t text[8];
    std::swprintf(text, 8, L"%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

std::wstring WebSafeStep(int value)
{
    static const wchar_t* const steps[] = {L"00", L"33", L"66", L"99", L"CC", L"FF"};
    if (value < 0)
        value = 0;
    if (value > 255)
        value = 255;
    // Nearest multiple of 51: 25 goes down to 0, 26 up to 51, 76 down to 51.
    return steps[(value + 25) / 51];
}

void WebSafeColor(const std::wstring& red, const std::wstring& green, const std::wstring& blue,
                  COLORREF& safeColour, std::wstring& safeCode)
{
    safeCode = WebSafeStep(HexValue(red)) + WebSafeStep(HexValue(green)) + WebSafeStep(HexValue(blue));
    safeColour = ColourOfCode(safeCode);
}

std::wstring DocumentForm(const std::wstring& code, EditorType type)
{
    if (type == EditorType::CSS)
        return L"#" + code;
    return L"\"#" + code + L"\"";
}

} // namespace picker
