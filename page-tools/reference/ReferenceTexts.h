#pragma once
// The reference window's two texts: the character, key and SendKeys codes
// ("ASCREF") and the script constants ("MESREF"), plain text of the system
// code page held in the program as CUSTOM resources, and the heading lines
// the window marks in colour.
#include <windows.h>

#include <string>
#include <vector>

namespace reference {

enum class RefText { Codes, Constants };

// Heading colours (0x00BBGGRR), both shown bold.
constexpr COLORREF kHeadingPurple = 0x490093;
constexpr COLORREF kHeadingBlue = 0xCC3300;

struct HeadingMark {
    int line;  // 0-based line of the text
    COLORREF colour;
};
// The marks of a text in the order the window applies them.
const std::vector<HeadingMark>& HeadingMarks(RefText text);

// The command id of the window's Copy item, fixed so that it can be asked
// for from outside.
constexpr UINT kCopyCommandId = 101;

// "ASCREF" or "MESREF".
const wchar_t* ResourceName(RefText text);
// The text from module's resource, converted from the system code page;
// "" when the resource is missing.
std::wstring LoadReferenceText(HMODULE module, RefText text);

} // namespace reference
