#pragma once
// The CSS colourer: selectors and at-rules in the variable colour, property
// names as keywords inside braces, comments. Words keep the text's spelling:
// values, url() paths and quoted text are case-sensitive.
#include <cstddef>

class ClsColor;

namespace color {

class RtfWriter;

void ColorCSSText(ClsColor& owner, const wchar_t* s, size_t begin, size_t end, RtfWriter& out);

} // namespace color
