#pragma once
// The PHP colourer: strings, "#", "//" and "/* */" comments, $variables and
// keywords. Words are written exactly as they stand in the text (PHP names
// and constants are case-sensitive).
#include <cstddef>

class ClsColor;

namespace color {

class RtfWriter;

void ColorPHPText(ClsColor& owner, const wchar_t* s, size_t begin, size_t end, RtfWriter& out);

} // namespace color
