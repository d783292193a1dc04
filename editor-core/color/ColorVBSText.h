#pragma once
// The VBScript colourer: comments, string literals, keywords and the names
// the same text declares. VBScript ignores case, so keywords are written in
// the list's spelling and declared names in their declaration's spelling.
#include <cstddef>

class ClsColor;

namespace color {

class RtfWriter;

// Colours s[begin, end) of a prepared text into out. Resets the known names
// to "WScript" first.
void ColorVBSText(ClsColor& owner, const wchar_t* s, size_t begin, size_t end, RtfWriter& out);

// Collects the names of one declaration (the text after the keyword);
// iPos is the keyword's position in the joined list.
void AddVBSVars(ClsColor& owner, const wchar_t* decl, size_t len, long iPos);

} // namespace color
