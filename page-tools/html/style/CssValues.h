#pragma once
// Property values into computed values: lengths in every unit these pages
// use and calc(), min(), max() and clamp() over them; colours by name, hex,
// rgb(), hsl() with their alpha, and HTML attribute colours.
#include "ComputedStyle.h"
#include "CssParser.h"

namespace html {

struct LengthContext {
    float fontSize = 16;      // the element's, for em, ex and ch
    bool quirks = false;      // unitless numbers count as pixels
    float rootFontSize = 16;  // for rem
    int viewWidth = 800, viewHeight = 600; // for vw, vh, vmin and vmax
    bool* viewUsed = nullptr; // set when a length read the view's size
    float exRatio = 0.5f;     // the face's x-height as a share of its size
};

// False when the value is no length; percent and auto only when allowed.
bool ToLength(const CssValue& v, const LengthContext& ctx, Len& out, bool allowPercent, bool allowAuto);
// current: the element's colour, for currentColor (null where the keyword means the parent's).
bool ToColor(const CssValue& v, Color& out, bool quirks, const Color* current = nullptr);
// A plain number, also as calc() gives it.
bool ToNumber(const CssValue& v, float& out);
// A colour as HTML attributes write it ("red", "#f00", "ff0000").
bool AttributeColor(const std::wstring& text, Color& out);
bool NamedColor(const std::wstring& lowerName, Color& out);

} // namespace html
