#include "CssValues.h"

#include <cwctype>
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
    return false;
}

int Channel(const std::wstring& part)
{
    std::wstring t;
    for (wchar_t c : part)
        if (!std::iswspace(c))
            t += c;
    if (t.empty())
        return 0;
    double v = wcstod(t.c_str(), nullptr);
    if (t.back() == L'%')
        v = v * 255.0 / 100.0;
    return v < 0 ? 0 : v > 255 ? 255 : int(v + 0.5);
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
        out = Len{Len::Percent, v.num};
        return true;
    case CssValue::Dimension: {
        float f;
        const std::wstring& u = v.unit;
        if (u == L"px") f = 1;
        else if (u == L"pt") f = 96.0f / 72.0f;
        else if (u == L"pc") f = 16;
        else if (u == L"in") f = 96;
        else if (u == L"cm") f = 96.0f / 2.54f;
        else if (u == L"mm") f = 96.0f / 25.4f;
        else if (u == L"em") f = ctx.fontSize;
        else if (u == L"ex") f = ctx.fontSize / 2;
        else return false;
        float px = v.num * f;
        // Huge values would overflow the integer arithmetic of the layout.
        if (px > 1e6f) px = 1e6f;
        if (px < -1e6f) px = -1e6f;
        out = Len::Pixels(px);
        return true;
    }
    default:
        return false;
    }
}

bool ToColor(const CssValue& v, Color& out, bool quirks)
{
    if (v.type == CssValue::Hash)
        return HexColor(v.text, out);
    if (v.type == CssValue::Ident) {
        if (v.text == L"transparent") {
            out = Color();
            return true;
        }
        if (NamedColor(v.text, out))
            return true;
        return quirks && HexColor(v.text, out);
    }
    if ((v.type == CssValue::Number || v.type == CssValue::Dimension) && quirks)
        return HexColor(v.text, out);
    if (v.type == CssValue::Function && (v.text.compare(0, 4, L"rgb(") == 0 || v.text.compare(0, 5, L"rgba(") == 0)) {
        size_t open = v.text.find(L'(');
        std::wstring args = v.text.substr(open + 1, v.text.size() - open - 2);
        int ch[4] = {0, 0, 0, 255};
        size_t start = 0;
        for (int i = 0; i < 4; ++i) {
            size_t comma = args.find(L',', start);
            std::wstring part = args.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
            if (i < 3)
                ch[i] = Channel(part);
            else
                ch[3] = wcstod(part.c_str(), nullptr) <= 0 ? 0 : 255;
            if (comma == std::wstring::npos)
                break;
            start = comma + 1;
        }
        out = Color{uint8_t(ch[0]), uint8_t(ch[1]), uint8_t(ch[2]), uint8_t(ch[3])};
        return true;
    }
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
