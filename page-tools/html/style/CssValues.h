#pragma once
// Property values into computed values: lengths in every unit these pages
// use, colours by name, hex and rgb(), and HTML attribute colours.
#include "ComputedStyle.h"
#include "CssParser.h"

namespace html {

struct LengthContext {
    float fontSize = 16;   // the element's, for em and ex
    bool quirks = false;   // unitless numbers count as pixels
};

// False when the value is no length; percent and auto only when allowed.
bool ToLength(const CssValue& v, const LengthContext& ctx, Len& out, bool allowPercent, bool allowAuto);
bool ToColor(const CssValue& v, Color& out, bool quirks);
// A colour as HTML attributes write it ("red", "#f00", "ff0000").
bool AttributeColor(const std::wstring& text, Color& out);
bool NamedColor(const std::wstring& lowerName, Color& out);

} // namespace html
