#include "CssValues.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <vector>
#include <unordered_map>

namespace html {
namespace {

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

bool HexColor(const std::wstring& h, Color& out)
{
    for (wchar_t c : h)
        if (HexDigit(c) < 0)
            return false;
    if (h.size() == 3) {
        out = Color::Rgb(HexDigit(h[0]) * 17, HexDigit(h[1]) * 17, HexDigit(h[2]) * 17);
        return true;
    }
    if (h.size() == 6) {
        out = Color::Rgb(HexDigit(h[0]) * 16 + HexDigit(h[1]), HexDigit(h[2]) * 16 + HexDigit(h[3]),
                         HexDigit(h[4]) * 16 + HexDigit(h[5]));
        return true;
    }
    if (h.size() == 4) {
        out = Color::Rgb(HexDigit(h[0]) * 17, HexDigit(h[1]) * 17, HexDigit(h[2]) * 17);
        out.a = static_cast<uint8_t>(HexDigit(h[3]) * 17);
        return true;
    }
    if (h.size() == 8) {
        out = Color::Rgb(HexDigit(h[0]) * 16 + HexDigit(h[1]), HexDigit(h[2]) * 16 + HexDigit(h[3]),
                         HexDigit(h[4]) * 16 + HexDigit(h[5]));
        out.a = static_cast<uint8_t>(HexDigit(h[6]) * 16 + HexDigit(h[7]));
        return true;
    }
    return false;
}

int Clamp255(double v)
{
    return v < 0 ? 0 : v > 255 ? 255 : int(v + 0.5);
}

// A number or percentage of an rgb() or hsl() argument; false for other text.
bool Part(const std::wstring& text, double& value, bool& percent)
{
    const wchar_t* begin = text.c_str();
    wchar_t* end = nullptr;
    value = wcstod(begin, &end);
    if (end == begin)
        return false;
    std::wstring unit(end);
    percent = unit == L"%";
    return unit.empty() || percent || unit == L"deg";
}

// rgb(), rgba(), hsl() and hsla(), with commas or with blanks and a "/" before the alpha.
bool FunctionColor(const std::wstring& text, Color& out)
{
    size_t open = text.find(L'(');
    std::wstring name = text.substr(0, open);
    bool rgb = name == L"rgb" || name == L"rgba", hsl = name == L"hsl" || name == L"hsla";
    if ((!rgb && !hsl) || text.back() != L')')
        return false;
    std::vector<std::wstring> parts;
    std::wstring cur;
    for (size_t i = open + 1; i + 1 < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L',' || c == L'/' || std::iswspace(c)) {
            if (!cur.empty())
                parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        parts.push_back(cur);
    if (parts.size() != 3 && parts.size() != 4)
        return false;
    double n[4] = {0, 0, 0, 1};
    bool pct[4] = {false, false, false, false};
    for (size_t i = 0; i < parts.size(); ++i)
        if (!Part(parts[i], n[i], pct[i]))
            return false;
    double alpha = pct[3] ? n[3] / 100 : n[3];
    out.a = static_cast<uint8_t>(Clamp255(alpha * 255));
    if (rgb) {
        int ch[3];
        for (int i = 0; i < 3; ++i)
            ch[i] = Clamp255(pct[i] ? n[i] * 255 / 100 : n[i]);
        out.r = uint8_t(ch[0]), out.g = uint8_t(ch[1]), out.b = uint8_t(ch[2]);
        return true;
    }
    double h = std::fmod(std::fmod(n[0], 360) + 360, 360) / 360;
    double sat = std::min(1.0, std::max(0.0, n[1] / 100)), l = std::min(1.0, std::max(0.0, n[2] / 100));
    double q = l < 0.5 ? l * (1 + sat) : l + sat - l * sat, p = 2 * l - q;
    auto hue = [&](double t) {
        t = t < 0 ? t + 1 : t > 1 ? t - 1 : t;
        if (t < 1.0 / 6) return p + (q - p) * 6 * t;
        if (t < 0.5) return q;
        if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
        return p;
    };
    out.r = uint8_t(Clamp255(hue(h + 1.0 / 3) * 255));
    out.g = uint8_t(Clamp255(hue(h) * 255));
    out.b = uint8_t(Clamp255(hue(h - 1.0 / 3) * 255));
    return true;
}

// Huge values would overflow the integer arithmetic of the layout.
float Bounded(float px)
{
    return px > 1e6f ? 1e6f : px < -1e6f ? -1e6f : px;
}

bool UnitPixels(const std::wstring& u, const LengthContext& ctx, float& f)
{
    bool view = false;
    if (u == L"px") f = 1;
    else if (u == L"pt") f = 96.0f / 72.0f;
    else if (u == L"pc") f = 16;
    else if (u == L"in") f = 96;
    else if (u == L"cm") f = 96.0f / 2.54f;
    else if (u == L"mm") f = 96.0f / 25.4f;
    else if (u == L"q") f = 96.0f / 101.6f;
    else if (u == L"em") f = ctx.fontSize;
    else if (u == L"ex") f = ctx.fontSize * ctx.exRatio;
    else if (u == L"ch") f = ctx.fontSize / 2; // the zero is half an em in the usual faces
    else if (u == L"rem") f = ctx.rootFontSize;
    else if (u == L"vw") f = ctx.viewWidth / 100.0f, view = true;
    else if (u == L"vh") f = ctx.viewHeight / 100.0f, view = true;
    else if (u == L"vmin") f = std::min(ctx.viewWidth, ctx.viewHeight) / 100.0f, view = true;
    else if (u == L"vmax") f = std::max(ctx.viewWidth, ctx.viewHeight) / 100.0f, view = true;
    else return false;
    if (view && ctx.viewUsed)
        *ctx.viewUsed = true;
    return true;
}

// The value of calc(), min(), max() or clamp(): pixels plus a percentage,
// or a plain number. min() and max() of a percentage and pixels keep both
// (bound 1 min, 2 max) and cannot be combined further.
struct CalcValue {
    double px = 0, pct = 0;
    bool number = false;
    int bound = 0;
};

class CalcReader {
public:
    CalcReader(const std::wstring& text, const LengthContext& ctx) : t(text), ctx(ctx) {}

    bool Whole(CalcValue& out)
    {
        if (!Factor(out))
            return false;
        Space();
        return pos == t.size();
    }

private:
    void Space()
    {
        while (pos < t.size() && std::iswspace(t[pos]))
            ++pos;
    }

    bool Sum(CalcValue& out, int depth)
    {
        if (depth > 16 || !Product(out, depth))
            return false;
        for (;;) {
            Space();
            if (pos >= t.size() || (t[pos] != L'+' && t[pos] != L'-'))
                return true;
            bool minus = t[pos++] == L'-';
            CalcValue r;
            if (!Product(r, depth) || r.number != out.number || r.bound || out.bound)
                return false;
            out.px += minus ? -r.px : r.px;
            out.pct += minus ? -r.pct : r.pct;
        }
    }

    bool Product(CalcValue& out, int depth)
    {
        if (!Factor(out, depth))
            return false;
        for (;;) {
            Space();
            if (pos >= t.size() || (t[pos] != L'*' && t[pos] != L'/'))
                return true;
            bool divide = t[pos++] == L'/';
            CalcValue r;
            if (!Factor(r, depth) || out.bound || r.bound)
                return false;
            if (divide) {
                if (!r.number || r.px == 0)
                    return false;
                out.px /= r.px;
                out.pct /= r.px;
            } else if (r.number) {
                out.px *= r.px;
                out.pct *= r.px;
            } else if (out.number) {
                double k = out.px;
                out = r;
                out.px *= k;
                out.pct *= k;
            } else {
                return false;
            }
        }
    }

    bool Factor(CalcValue& out, int depth = 0)
    {
        Space();
        if (pos >= t.size() || depth > 16)
            return false;
        wchar_t c = t[pos];
        if (c == L'(') {
            ++pos;
            if (!Sum(out, depth + 1))
                return false;
            Space();
            return pos < t.size() && t[pos++] == L')';
        }
        if (std::iswdigit(c) || c == L'.' || ((c == L'+' || c == L'-') && pos + 1 < t.size() &&
                                              (std::iswdigit(t[pos + 1]) || t[pos + 1] == L'.')))
            return Number(out);
        size_t start = pos;
        while (pos < t.size() && (std::iswalpha(t[pos]) || t[pos] == L'-'))
            ++pos;
        std::wstring name = t.substr(start, pos - start);
        for (wchar_t& ch : name)
            ch = static_cast<wchar_t>(std::towlower(ch));
        if (pos >= t.size() || t[pos] != L'(')
            return false;
        ++pos;
        std::vector<CalcValue> args;
        for (;;) {
            CalcValue a;
            if (!Sum(a, depth + 1))
                return false;
            args.push_back(a);
            Space();
            if (pos < t.size() && t[pos] == L',') {
                ++pos;
                continue;
            }
            if (pos < t.size() && t[pos] == L')') {
                ++pos;
                break;
            }
            return false;
        }
        if (name == L"calc" || name == L"-webkit-calc") {
            if (args.size() != 1)
                return false;
            out = args[0];
            return true;
        }
        if (name == L"clamp") {
            if (args.size() != 3)
                return false;
            // clamp(low, value, high) is max(low, min(value, high)).
            CalcValue inner;
            return Bound({args[1], args[2]}, 1, inner) && Bound({args[0], inner}, 2, out);
        }
        if (name == L"min" || name == L"max")
            return Bound(args, name == L"min" ? 1 : 2, out);
        return false;
    }

    static bool Bound(const std::vector<CalcValue>& args, int which, CalcValue& out)
    {
        out = args[0];
        for (size_t i = 1; i < args.size(); ++i) {
            const CalcValue& a = args[i];
            if (a.number != out.number || a.bound || out.bound)
                return false;
            if (a.pct == out.pct) {
                out.px = which == 1 ? std::min(out.px, a.px) : std::max(out.px, a.px);
            } else if (a.px == 0 && out.pct == 0) {
                CalcValue both; // a pure percentage against pure pixels
                both.pct = a.pct;
                both.px = out.px;
                both.bound = which;
                out = both;
            } else if (out.px == 0 && a.pct == 0) {
                CalcValue both;
                both.pct = out.pct;
                both.px = a.px;
                both.bound = which;
                out = both;
            } else {
                return false;
            }
        }
        return true;
    }

    bool Number(CalcValue& out)
    {
        const wchar_t* begin = t.c_str() + pos;
        wchar_t* end = nullptr;
        double v = wcstod(begin, &end);
        if (end == begin)
            return false;
        pos += static_cast<size_t>(end - begin);
        size_t u = pos;
        while (pos < t.size() && (std::iswalpha(t[pos]) || t[pos] == L'%'))
            ++pos;
        std::wstring unit = t.substr(u, pos - u);
        for (wchar_t& ch : unit)
            ch = static_cast<wchar_t>(std::towlower(ch));
        out = CalcValue();
        if (unit.empty()) {
            out.number = true;
            out.px = v;
        } else if (unit == L"%") {
            out.pct = v;
        } else {
            float f;
            if (!UnitPixels(unit, ctx, f))
                return false;
            out.px = v * f;
        }
        return true;
    }

    const std::wstring& t;
    const LengthContext& ctx;
    size_t pos = 0;
};

bool EvaluateFunction(const std::wstring& text, const LengthContext& ctx, CalcValue& out)
{
    return CalcReader(text, ctx).Whole(out);
}

} // namespace

bool NamedColor(const std::wstring& n, Color& out)
{
    static const std::unordered_map<std::wstring, unsigned> names{
        {L"black", 0x000000}, {L"silver", 0xC0C0C0}, {L"gray", 0x808080}, {L"grey", 0x808080},
        {L"white", 0xFFFFFF}, {L"maroon", 0x800000}, {L"red", 0xFF0000}, {L"purple", 0x800080},
        {L"fuchsia", 0xFF00FF}, {L"magenta", 0xFF00FF}, {L"green", 0x008000}, {L"lime", 0x00FF00},
        {L"olive", 0x808000}, {L"yellow", 0xFFFF00}, {L"navy", 0x000080}, {L"blue", 0x0000FF},
        {L"teal", 0x008080}, {L"aqua", 0x00FFFF}, {L"cyan", 0x00FFFF}, {L"orange", 0xFFA500},
        {L"brown", 0xA52A2A}, {L"pink", 0xFFC0CB}, {L"gold", 0xFFD700}, {L"beige", 0xF5F5DC},
        {L"tan", 0xD2B48C}, {L"khaki", 0xF0E68C}, {L"ivory", 0xFFFFF0}, {L"lavender", 0xE6E6FA},
        {L"violet", 0xEE82EE}, {L"indigo", 0x4B0082}, {L"coral", 0xFF7F50}, {L"salmon", 0xFA8072},
        {L"crimson", 0xDC143C}, {L"tomato", 0xFF6347}, {L"orchid", 0xDA70D6}, {L"plum", 0xDDA0DD},
        {L"wheat", 0xF5DEB3}, {L"linen", 0xFAF0E6}, {L"snow", 0xFFFAFA}, {L"azure", 0xF0FFFF},
        {L"skyblue", 0x87CEEB}, {L"steelblue", 0x4682B4}, {L"royalblue", 0x4169E1},
        {L"darkblue", 0x00008B}, {L"darkred", 0x8B0000}, {L"darkgreen", 0x006400}, {L"darkgray", 0xA9A9A9},
        {L"darkgrey", 0xA9A9A9}, {L"lightgray", 0xD3D3D3}, {L"lightgrey", 0xD3D3D3},
        {L"lightblue", 0xADD8E6}, {L"lightgreen", 0x90EE90}, {L"lightyellow", 0xFFFFE0},
        {L"dimgray", 0x696969}, {L"gainsboro", 0xDCDCDC}, {L"whitesmoke", 0xF5F5F5},
        {L"darkorange", 0xFF8C00}, {L"forestgreen", 0x228B22}, {L"seagreen", 0x2E8B57},
        {L"midnightblue", 0x191970}, {L"slategray", 0x708090}, {L"firebrick", 0xB22222},
        {L"chocolate", 0xD2691E}, {L"goldenrod", 0xDAA520}, {L"turquoise", 0x40E0D0},
        {L"cornflowerblue", 0x6495ED}, {L"aliceblue", 0xF0F8FF}, {L"honeydew", 0xF0FFF0},
        {L"mintcream", 0xF5FFFA}, {L"lemonchiffon", 0xFFFACD}, {L"papayawhip", 0xFFEFD5},
        {L"mistyrose", 0xFFE4E1}, {L"oldlace", 0xFDF5E6}, {L"seashell", 0xFFF5EE}, {L"cornsilk", 0xFFF8DC},
        {L"darkslategray", 0x2F4F4F}, {L"darkcyan", 0x008B8B}, {L"deepskyblue", 0x00BFFF},
        {L"dodgerblue", 0x1E90FF}, {L"limegreen", 0x32CD32}, {L"yellowgreen", 0x9ACD32},
        {L"olivedrab", 0x6B8E23}, {L"sienna", 0xA0522D}, {L"peru", 0xCD853F}, {L"hotpink", 0xFF69B4},
        {L"deeppink", 0xFF1493}, {L"darkviolet", 0x9400D3}, {L"slateblue", 0x6A5ACD},
        {L"cadetblue", 0x5F9EA0}, {L"powderblue", 0xB0E0E6}, {L"palegreen", 0x98FB98},
        {L"lightcyan", 0xE0FFFF}, {L"lightpink", 0xFFB6C1}, {L"moccasin", 0xFFE4B5},
        {L"navajowhite", 0xFFDEAD}, {L"burlywood", 0xDEB887}, {L"rosybrown", 0xBC8F8F},
        {L"darkkhaki", 0xBDB76B}, {L"lightslategray", 0x778899}, {L"mediumblue", 0x0000CD},
        {L"buttonface", 0xF0F0F0}, {L"window", 0xFFFFFF}, {L"windowtext", 0x000000},
        {L"buttontext", 0x000000}, {L"graytext", 0x6D6D6D}, {L"highlight", 0x3399FF},
        {L"threedface", 0xF0F0F0}, {L"infobackground", 0xFFFFE1}};
    auto it = names.find(n);
    if (it == names.end())
        return false;
    out = Color::Rgb((it->second >> 16) & 255, (it->second >> 8) & 255, it->second & 255);
    return true;
}

bool ToLength(const CssValue& v, const LengthContext& ctx, Len& out, bool allowPercent, bool allowAuto)
{
    switch (v.type) {
    case CssValue::Ident:
        if (allowAuto && (v.text == L"auto" || v.text == L"none" || v.text == L"normal")) {
            out = Len();
            return true;
        }
        return false;
    case CssValue::Number:
        if (v.num == 0 || ctx.quirks) {
            out = Len::Pixels(v.num);
            return true;
        }
        return false;
    case CssValue::Percent:
        if (!allowPercent)
            return false;
        out = Len::Percentage(v.num);
        return true;
    case CssValue::Dimension: {
        float f;
        if (!UnitPixels(v.unit, ctx, f))
            return false;
        out = Len::Pixels(Bounded(v.num * f));
        return true;
    }
    case CssValue::Function: {
        CalcValue c;
        if (!EvaluateFunction(v.text, ctx, c) || c.number || (!allowPercent && c.pct != 0))
            return false;
        if (c.bound == 0 && c.pct == 0) {
            out = Len::Pixels(Bounded(static_cast<float>(c.px)));
            return true;
        }
        // The percentage is kept in hundredths of a percent.
        if (c.pct > 320 || c.pct < -320)
            return false;
        out.kind = c.bound == 1 ? Len::CalcMin : c.bound == 2 ? Len::CalcMax : Len::Calc;
        out.calcPercent = static_cast<int16_t>(c.pct * 100 + (c.pct >= 0 ? 0.5 : -0.5));
        out.v = Bounded(static_cast<float>(c.px));
        return true;
    }
    default:
        return false;
    }
}

bool ToNumber(const CssValue& v, float& out)
{
    if (v.type == CssValue::Number) {
        out = v.num;
        return true;
    }
    CalcValue c;
    LengthContext none;
    if (v.type != CssValue::Function || !EvaluateFunction(v.text, none, c) || !c.number)
        return false;
    out = static_cast<float>(c.px);
    return true;
}

bool ToColor(const CssValue& v, Color& out, bool quirks, const Color* current)
{
    if (v.type == CssValue::Hash)
        return HexColor(v.text, out);
    if (v.type == CssValue::Ident) {
        if (v.text == L"transparent") {
            out = Color();
            return true;
        }
        if (v.text == L"currentcolor") {
            if (!current)
                return false;
            out = *current;
            return true;
        }
        if (NamedColor(v.text, out))
            return true;
        return quirks && HexColor(v.text, out);
    }
    if ((v.type == CssValue::Number || v.type == CssValue::Dimension) && quirks)
        return HexColor(v.text, out);
    if (v.type == CssValue::Function)
        return FunctionColor(v.text, out);
    return false;
}

bool AttributeColor(const std::wstring& text, Color& out)
{
    std::wstring t;
    for (wchar_t c : text)
        if (!std::iswspace(c))
            t += static_cast<wchar_t>(std::towlower(c));
    if (t.empty() || t == L"transparent")
        return false;
    if (NamedColor(t, out))
        return true;
    if (t[0] == L'#')
        t.erase(0, 1);
    if (t.size() == 3 || t.size() == 6) {
        if (HexColor(t, out))
            return true;
    }
    // Browsers read any other text as hex digits in three equal parts.
    for (wchar_t& c : t)
        if (HexDigit(c) < 0)
            c = L'0';
    while (t.size() % 3 != 0 || t.empty())
        t += L'0';
    size_t part = t.size() / 3;
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        std::wstring p = t.substr(i * part, part);
        if (p.size() > 2)
            p = p.substr(0, 2);
        if (p.size() == 1)
            p = L"0" + p;
        rgb[i] = HexDigit(p[0]) * 16 + HexDigit(p[1]);
    }
    out = Color::Rgb(rgb[0], rgb[1], rgb[2]);
    return true;
}

} // namespace html
