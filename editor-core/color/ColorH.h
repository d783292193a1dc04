#pragma once
// The HTML colourer: tags, attribute values and comments, with the embedded
// languages handed to their own colourers: server blocks "<%" ... "%>" to
// VBScript, "<?" ... "?>" to PHP, SCRIPT blocks by their language and STYLE
// blocks to CSS.
#include <cstddef>

class ClsColor;

namespace color {

class RtfWriter;

// Colours the whole prepared text s[0, n) into out.
void ColorH(ClsColor& owner, const wchar_t* s, size_t n, RtfWriter& out);

} // namespace color
