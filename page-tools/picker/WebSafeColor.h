#pragma once
// The colour picker's arithmetic: the typed code checked, a colour number and
// its web code turned into each other, the nearest web-safe colour, and the
// code as the current kind of document writes it.
#include <windows.h>

#include <string>

#include "EditorType.h"

namespace picker {

// String table ids of the picker's messages.
constexpr UINT IDS_HEX_LENGTH = 152;  // "The hex code must be 6 characters."
constexpr UINT IDS_HEX_DIGITS = 153;  // "Error in hex code. All characters must be 0 thru 9 or A thru F."

// Upper-cases code in place and checks it: 0 when it is six hexadecimal
// digits, else the id of the message to show (the length is checked first,
// before the code is upper-cased).
UINT CheckHexCode(std::wstring& code);

// "RRGGBB" (checked) to the platform's colour number 0x00BBGGRR.
COLORREF ColourOfCode(const std::wstring& code);
// 0x00BBGGRR to "RRGGBB", upper case.
std::wstring CodeOfColour(COLORREF colour);

// A channel value 0..255 to its web-safe step: "00", "33", ... "FF", the
// nearest multiple of 51.
std::wstring WebSafeStep(int value);
// The nearest web-safe colour of three two-digit hexadecimal channel texts:
// its number (0x00BBGGRR) and its code ("RRGGBB").
void WebSafeColor(const std::wstring& red, const std::wstring& green, const std::wstring& blue,
                  COLORREF& safeColour, std::wstring& safeCode);

// The code as a document of this type wants it: "#" & code for a style
// sheet, the same in double quotes, ready for an attribute, for any other.
std::wstring DocumentForm(const std::wstring& code, EditorType type);

} // namespace picker
