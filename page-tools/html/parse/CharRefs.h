#pragma once
// Named and numeric character references (&amp; &#160; &#xA0;).
#include <string>

namespace html {

// Decodes the reference that starts at text[pos] ('&'). On success appends
// the character(s) to out, moves pos past the reference and returns true;
// otherwise leaves both alone. inAttribute follows the browsers' rule that a
// named reference without ';' followed by '=' or a letter stays literal there.
bool DecodeCharRef(const std::wstring& text, size_t& pos, std::wstring& out, bool inAttribute);

// The whole text with its references decoded.
std::wstring DecodeCharRefs(const std::wstring& text, bool inAttribute);

} // namespace html
