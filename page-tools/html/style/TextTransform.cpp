#include "TextTransform.h"

#include <cwctype>

namespace html {

std::wstring TransformText(const std::wstring& text, TextTransform how, bool afterLetter)
{
    std::wstring out(text);
    bool inWord = afterLetter;
    for (wchar_t& c : out) {
        switch (how) {
        case TextTransform::Uppercase: c = static_cast<wchar_t>(std::towupper(c)); break;
        case TextTransform::Lowercase: c = static_cast<wchar_t>(std::towlower(c)); break;
        case TextTransform::Capitalize:
            if (!inWord && std::iswalpha(c))
                c = static_cast<wchar_t>(std::towupper(c));
            break;
        default: return out;
        }
        // Letters, digits and apostrophes continue a word; anything else ends it.
        inWord = std::iswalnum(c) || c == L'\'' || c == 0x2019;
    }
    return out;
}

} // namespace html
