#pragma once
// The JavaScript colourer: strings, comments, keywords and the names that
// "var" and "function" declare. JavaScript is case-sensitive, so every word
// is written exactly as it stands in the text.
#include <cstddef>

class ClsColor;

namespace color {

class RtfWriter;

// Colours s[begin, end) of a prepared text into out. Empties the known names first.
void ColorJSText(ClsColor& owner, const wchar_t* s, size_t begin, size_t end, RtfWriter& out);

// Adds the names declared in decl (the text after "var" when iVarPt < 4,
// else after "function") to the owner's known names.
void CheckVarsJS(ClsColor& owner, const wchar_t* decl, size_t len, long iVarPt);

} // namespace color
