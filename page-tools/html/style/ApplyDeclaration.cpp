// Each property's values onto the computed style.
#include <algorithm>
#include <cwctype>
#include <memory>

#include "CssValues.h"
#include "StyleResolver.h"
#include "platform/Text.h"

namespace html {

float KeywordFontSize(int keyword, bool monospace)
{
    static const float normal[7] = {9, 10, 13, 16, 18, 24, 32};
    static const float fixed[7] = {9, 9, 10, 13, 16, 20, 26};
    keyword = std::max(1, std::min(keyword, 7));
    return (monospace ? fixed : normal)[keyword - 1];
}

void SizeForFamily(ComputedStyle& s)
{
    if (!s.sizeKeyword)
        return;
    std::wstring family = platform::TrimWhiteSpace(s.fontFamily);
    for (wchar_t& c : family)
        c = static_cast<wchar_t>(std::towlower(c));
    s.fontSize = std::min(2000.0f, KeywordFontSize(s.sizeKeyword, family == L"monospace") * s.sizeFactor);
}

namespace {

using Values = std::vector<CssValue>;

bool IsIdent(const CssValue& v, const wchar_t* name)
{
    return v.type == CssValue::Ident && v.text == name;
}

bool Display_(const std::wstring& t, Display& d)
{
    static const struct { const wchar_t* n; Display d; } map[] = {
        {L"none", Display::None}, {L"block", Display::Block}, {L"inline", Display::Inline},
        {L"inline-block", Display::InlineBlock}, {L"list-item", Display::ListItem}, {L"table", Display::Table},
        {L"inline-table", Display::InlineTable}, {L"table-row-group", Display::TableRowGroup},
        {L"table-header-group", Display::TableHeaderGroup}, {L"table-footer-group", Display::TableFooterGroup},
        {L"table-row", Display::TableRow}, {L"table-cell", Display::TableCell},
        {L"table-caption", Display::TableCaption}, {L"table-column", Display::TableColumn},
        {L"table-column-group", Display::TableColumnGroup}};
    for (const auto& m : map)
        if (t == m.n) {
            d = m.d;
            return true;
        }
    return false;
}

bool BorderStyle_(const std::wstring& t, BorderStyle& s)
{
    static const wchar_t* const names[] = {L"none", L"hidden", L"solid", L"dashed", L"dotted",
                                           L"double", L"groove", L"ridge", L"inset", L"outset"};
    for (int i = 0; i < 10; ++i)
        if (t == names[i]) {
            s = static_cast<BorderStyle>(i);
            return true;
        }
    return false;
}

bool BorderWidth_(const CssValue& v, const LengthContext& lc, float& w)
{
    if (IsIdent(v, L"thin")) w = 1;
    else if (IsIdent(v, L"medium")) w = 3;
    else if (IsIdent(v, L"thick")) w = 5;
    else {
        Len l;
        if (!ToLength(v, lc, l, false, false) || l.v < 0)
            return false;
        w = l.v;
    }
    return true;
}

// Applies the 1-4 value box shorthand pattern (top, right, bottom, left).
template <typename T, typename F>
bool FourSides(const Values& vals, T out[4], F convert)
{
    T got[4];
    size_t n = 0;
    for (const CssValue& v : vals) {
        if (n == 4 || !convert(v, got[n]))
            return false;
        ++n;
    }
    if (n == 0)
        return false;
    out[Top] = got[0];
    out[Right] = n > 1 ? got[1] : got[0];
    out[Bottom] = n > 2 ? got[2] : got[0];
    out[Left] = n > 3 ? got[3] : out[Right];
    return true;
}

int SideOf(const std::wstring& suffix)
{
    if (suffix == L"top") return Top;
    if (suffix == L"right") return Right;
    if (suffix == L"bottom") return Bottom;
    if (suffix == L"left") return Left;
    return -1;
}

int FontSizeKeyword(const std::wstring& t)
{
    static const wchar_t* const names[] = {L"xx-small", L"x-small", L"small", L"medium", L"large", L"x-large",
                                           L"xx-large"};
    for (int k = 0; k < 7; ++k)
        if (t == names[k])
            return k + 1;
    return 0;
}

// The size, and in keyword and factor what it is a multiple of (keyword 0: none).
bool FontSize_(const CssValue& v, const ApplyContext& ctx, float& size, uint8_t& keyword, float& factor)
{
    float parent = ctx.parent ? ctx.parent->fontSize : 16;
    keyword = ctx.parent ? ctx.parent->sizeKeyword : 4;
    factor = ctx.parent ? ctx.parent->sizeFactor : 1;
    auto relative = [&](float by) {
        size = parent * by;
        factor *= by;
    };
    if (v.type == CssValue::Ident) {
        if (int k = FontSizeKeyword(v.text)) {
            keyword = static_cast<uint8_t>(k);
            factor = 1;
            size = KeywordFontSize(keyword, false);
        } else if (v.text == L"smaller") {
            relative(1 / 1.2f);
        } else if (v.text == L"larger") {
            relative(1.2f);
        } else {
            return false;
        }
        return true;
    }
    LengthContext lc = ctx.Lengths(parent);
    Len l;
    if (!ToLength(v, lc, l, true, false) || l.Negative())
        return false;
    if (v.type == CssValue::Percent)
        relative(v.num / 100);
    else if (v.type == CssValue::Dimension && v.unit == L"em")
        relative(v.num);
    else
        keyword = 0, size = l.Exact(parent);
    if (size > 2000)
        size = 2000;
    return true;
}

bool FontWeight_(const CssValue& v, int& w)
{
    if (IsIdent(v, L"bold") || IsIdent(v, L"bolder")) w = 700;
    else if (IsIdent(v, L"normal") || IsIdent(v, L"lighter")) w = 400;
    else if (v.type == CssValue::Number && v.num >= 100 && v.num <= 900) w = int(v.num);
    else return false;
    return true;
}

// The family list as names joined by ",": the font layer takes the first it has.
std::wstring FontFamily_(const Values& vals, size_t from)
{
    std::wstring list, name;
    for (size_t i = from; i <= vals.size(); ++i) {
        if (i == vals.size() || vals[i].type == CssValue::Comma) {
            if (!name.empty())
                list += (list.empty() ? L"" : L",") + name;
            name.clear();
            continue;
        }
        if (vals[i].type == CssValue::String) {
            name = vals[i].text;
            continue;
        }
        if (!name.empty())
            name += L' ';
        name += vals[i].raw.empty() ? vals[i].text : vals[i].raw;
    }
    return list;
}

bool LineHeight_(const CssValue& v, const LengthContext& lc, Len& out)
{
    if (IsIdent(v, L"normal")) {
        out = Len();
        return true;
    }
    if (v.type == CssValue::Number) {
        out = Len::Factor(v.num);
        return v.num >= 0;
    }
    Len l;
    if (!ToLength(v, lc, l, true, false))
        return false;
    out = l.kind == Len::Px ? l : Len::Pixels(l.Exact(lc.fontSize));
    return true;
}

void Font_(ComputedStyle& s, const Values& vals, const ApplyContext& ctx)
{
    size_t i = 0;
    bool italic = false;
    int weight = 400;
    for (; i < vals.size(); ++i) {
        const CssValue& v = vals[i];
        int w;
        if (IsIdent(v, L"italic") || IsIdent(v, L"oblique")) italic = true;
        else if (IsIdent(v, L"normal") || IsIdent(v, L"small-caps")) {}
        else if (FontWeight_(v, w)) weight = w;
        else break;
    }
    float size, factor;
    uint8_t keyword;
    if (i >= vals.size() || !FontSize_(vals[i], ctx, size, keyword, factor))
        return; // also the system font keywords (caption, menu...), which change nothing here
    ++i;
    Len lh;
    LengthContext lc = ctx.Lengths(size);
    if (i + 1 < vals.size() && vals[i].type == CssValue::Slash) {
        if (!LineHeight_(vals[i + 1], lc, lh))
            return;
        i += 2;
    }
    std::wstring family = FontFamily_(vals, i);
    if (family.empty())
        return;
    s.italic = italic;
    s.fontWeight = weight;
    s.fontSize = size;
    s.sizeKeyword = keyword;
    s.sizeFactor = factor;
    s.lineHeight = lh;
    s.fontFamily = family;
}

// The properties few elements set are copied before a change: other styles may share them.
template <typename F>
void EditExtras(ComputedStyle& s, F change)
{
    auto copy = s.extras ? std::make_shared<BoxExtras>(*s.extras) : std::make_shared<BoxExtras>();
    change(*copy);
    s.extras = std::move(copy);
}

template <typename F>
void EditInheritedExtras(ComputedStyle& s, F change)
{
    auto copy = s.inheritedExtras ? std::make_shared<InheritedExtras>(*s.inheritedExtras)
                                  : std::make_shared<InheritedExtras>();
    change(*copy);
    s.inheritedExtras = std::move(copy);
}

bool BackgroundSizeValue(const CssValue& v, const LengthContext& lc)
{
    Len l;
    return IsIdent(v, L"cover") || IsIdent(v, L"contain") || ToLength(v, lc, l, true, true);
}

bool BackgroundSize_(ComputedStyle& s, const Values& vals, const LengthContext& lc)
{
    if (vals.empty() || vals.size() > 2)
        return false;
    BgSize kind = BgSize::Lengths;
    Len w, h;
    if (vals.size() == 1 && (IsIdent(vals[0], L"cover") || IsIdent(vals[0], L"contain"))) {
        kind = vals[0].text == L"cover" ? BgSize::Cover : BgSize::Contain;
    } else {
        if (!ToLength(vals[0], lc, w, true, true) || (vals.size() == 2 && !ToLength(vals[1], lc, h, true, true)))
            return false;
        if (w.IsAuto() && h.IsAuto())
            kind = BgSize::Auto;
    }
    EditExtras(s, [&](BoxExtras& x) {
        x.backgroundSize = kind;
        x.backgroundWidth = w;
        x.backgroundHeight = h;
    });
    return true;
}

FlexAlign FlexAlign_(const CssValue& v, bool& ok)
{
    ok = v.type == CssValue::Ident;
    const std::wstring& t = v.text;
    if (t == L"auto") return FlexAlign::Auto;
    if (t == L"stretch" || t == L"normal") return FlexAlign::Stretch;
    if (t == L"flex-start" || t == L"start" || t == L"self-start") return FlexAlign::Start;
    if (t == L"flex-end" || t == L"end" || t == L"self-end") return FlexAlign::End;
    if (t == L"center") return FlexAlign::Center;
    if (t == L"baseline" || t == L"first" || t == L"last") return FlexAlign::Baseline;
    ok = false;
    return FlexAlign::Auto;
}

// "flex": none, auto, initial, or grow [shrink] [basis] in any of their short forms.
void Flex_(ComputedStyle& s, const Values& vals, const LengthContext& lc)
{
    float grow = 1, shrink = 1;
    Len basis = Len::Percentage(0);
    if (vals.size() == 1 && (IsIdent(vals[0], L"none") || IsIdent(vals[0], L"auto") || IsIdent(vals[0], L"initial"))) {
        grow = vals[0].text == L"auto" ? 1.f : 0.f;
        shrink = vals[0].text == L"none" ? 0.f : 1.f;
        basis = Len();
    } else {
        int numbers = 0;
        bool basisSeen = false;
        for (const CssValue& v : vals) {
            float n;
            Len l;
            if (ToNumber(v, n) && n >= 0 && numbers < 2) {
                (numbers++ == 0 ? grow : shrink) = n;
            } else if (!basisSeen && (IsIdent(v, L"content") ? (l = Len(), true) : ToLength(v, lc, l, true, true))) {
                basis = l;
                basisSeen = true;
            } else {
                return;
            }
        }
        if (numbers == 0 && !basisSeen)
            return;
    }
    EditExtras(s, [&](BoxExtras& x) {
        x.flexGrow = grow;
        x.flexShrink = shrink;
        x.flexBasis = basis;
    });
}

void Background_(ComputedStyle& s, const Values& vals, const ApplyContext& ctx)
{
    ComputedStyle b;
    int positions = 0;
    LengthContext lc = ctx.Lengths(s.fontSize);
    bool quirks = ctx.quirks;
    for (size_t i = 0; i < vals.size(); ++i) {
        const CssValue& v = vals[i];
        Color c;
        Len l;
        if (v.type == CssValue::Url) b.backgroundImage = v.text;
        else if (IsIdent(v, L"none")) b.backgroundImage.clear();
        else if (IsIdent(v, L"repeat")) b.backgroundRepeat = BgRepeat::Repeat;
        else if (IsIdent(v, L"repeat-x")) b.backgroundRepeat = BgRepeat::RepeatX;
        else if (IsIdent(v, L"repeat-y")) b.backgroundRepeat = BgRepeat::RepeatY;
        else if (IsIdent(v, L"no-repeat")) b.backgroundRepeat = BgRepeat::NoRepeat;
        else if (IsIdent(v, L"scroll") || IsIdent(v, L"fixed") || IsIdent(v, L"local")) {}
        else if (v.type == CssValue::Slash) {
            // "position / size": the rest up to the next keyword that is no size.
            size_t end = i + 1;
            while (end < vals.size() && end < i + 3 && BackgroundSizeValue(vals[end], lc))
                ++end;
            if (!BackgroundSize_(b, Values(vals.begin() + static_cast<long>(i + 1), vals.begin() + static_cast<long>(end)), lc))
                return;
            i = end - 1;
        }
        else if (IsIdent(v, L"border-box") || IsIdent(v, L"padding-box") || IsIdent(v, L"content-box")) {}
        else if (IsIdent(v, L"left") || IsIdent(v, L"right")) b.backgroundX = Len::Percentage(v.text == L"left" ? 0.f : 100.f);
        else if (IsIdent(v, L"top") || IsIdent(v, L"bottom")) b.backgroundY = Len::Percentage(v.text == L"top" ? 0.f : 100.f);
        else if (IsIdent(v, L"center")) {
            if (positions++ == 0 && b.backgroundX.v == 0) b.backgroundX = Len::Percentage(50);
            else b.backgroundY = Len::Percentage(50);
            if (positions == 1) b.backgroundY = Len::Percentage(50);
        } else if (ToLength(v, lc, l, true, false)) {
            if (positions++ == 0) {
                b.backgroundX = l;
                b.backgroundY = Len::Percentage(50);
            } else {
                b.backgroundY = l;
            }
        } else if (ToColor(v, c, quirks, &s.color)) b.background = c;
        else return;
    }
    s.background = b.background;
    s.backgroundImage = b.backgroundImage;
    s.backgroundRepeat = b.backgroundRepeat;
    s.backgroundX = b.backgroundX;
    s.backgroundY = b.backgroundY;
    if (b.extras || s.extras)
        EditExtras(s, [&](BoxExtras& x) {
            const BoxExtras& from = b.Extras();
            x.backgroundSize = from.backgroundSize;
            x.backgroundWidth = from.backgroundWidth;
            x.backgroundHeight = from.backgroundHeight;
        });
}

// "border", "border-top" ...: width, style and colour in any order.
void BorderShorthand(ComputedStyle& s, const Values& vals, int side, const ApplyContext& ctx)
{
    float w = 3;
    BorderStyle st = BorderStyle::None;
    Color c;
    bool colorSet = false;
    LengthContext lc = ctx.Lengths(s.fontSize);
    for (const CssValue& v : vals) {
        if (v.type == CssValue::Ident && BorderStyle_(v.text, st)) continue;
        if (BorderWidth_(v, lc, w)) continue;
        if (ToColor(v, c, ctx.quirks, &s.color)) {
            colorSet = true;
            continue;
        }
        return;
    }
    for (int i = 0; i < 4; ++i) {
        if (side >= 0 && i != side)
            continue;
        s.borderWidth[i] = w;
        s.borderStyle[i] = st;
        s.borderColor[i] = c;
        s.borderColorSet[i] = colorSet;
    }
}

bool VerticalAlign_(ComputedStyle& s, const CssValue& v, const ApplyContext& ctx)
{
    static const struct { const wchar_t* n; VAlign a; } map[] = {
        {L"baseline", VAlign::Baseline}, {L"sub", VAlign::Sub}, {L"super", VAlign::Super}, {L"top", VAlign::Top},
        {L"text-top", VAlign::TextTop}, {L"middle", VAlign::Middle}, {L"bottom", VAlign::Bottom},
        {L"text-bottom", VAlign::TextBottom}};
    if (IsIdent(v, L"inherit")) {
        s.verticalAlign = ctx.parent ? ctx.parent->verticalAlign : VAlign::Baseline;
        s.verticalLength = ctx.parent ? ctx.parent->verticalLength : 0;
        return true;
    }
    for (const auto& m : map)
        if (IsIdent(v, m.n)) {
            s.verticalAlign = m.a;
            return true;
        }
    Len l;
    LengthContext lc = ctx.Lengths(s.fontSize);
    if (!ToLength(v, lc, l, true, false))
        return false;
    s.verticalAlign = VAlign::Length;
    s.verticalLength = l.Exact(s.fontSize);
    return true;
}

bool ListStyle_(const std::wstring& t, ListStyle& l)
{
    static const struct { const wchar_t* n; ListStyle l; } map[] = {
        {L"disc", ListStyle::Disc}, {L"circle", ListStyle::Circle}, {L"square", ListStyle::Square},
        {L"decimal", ListStyle::Decimal}, {L"lower-alpha", ListStyle::LowerAlpha},
        {L"lower-latin", ListStyle::LowerAlpha}, {L"upper-alpha", ListStyle::UpperAlpha},
        {L"upper-latin", ListStyle::UpperAlpha}, {L"lower-roman", ListStyle::LowerRoman},
        {L"upper-roman", ListStyle::UpperRoman}, {L"none", ListStyle::None}};
    for (const auto& m : map)
        if (t == m.n) {
            l = m.l;
            return true;
        }
    return false;
}

} // namespace

void ApplyDeclaration(ComputedStyle& s, const Declaration& d, const ApplyContext& ctx)
{
    const Values& vals = d.values;
    if (vals.empty())
        return;
    const CssValue& v = vals[0];
    const std::wstring& p = d.property;
    LengthContext lc = ctx.Lengths(s.fontSize);
    Len l;
    Color c;
    if (p == L"color") {
        if (IsIdent(v, L"-link-color")) s.color = ctx.linkColor;
        else if (IsIdent(v, L"inherit") && ctx.parent) s.color = ctx.parent->color;
        else if (ToColor(v, c, ctx.quirks, ctx.parent ? &ctx.parent->color : nullptr)) s.color = c;
    } else if (p == L"display") {
        Display dd;
        if (v.type == CssValue::Ident && Display_(v.text, dd)) {
            s.display = dd;
            s.flexContainer = false;
        } else if (IsIdent(v, L"flex") || IsIdent(v, L"inline-flex") || IsIdent(v, L"-webkit-box") ||
                   IsIdent(v, L"-webkit-flex")) {
            s.display = v.text == L"inline-flex" ? Display::InlineBlock : Display::Block;
            s.flexContainer = true;
        } else if (IsIdent(v, L"grid") || IsIdent(v, L"flow-root") || IsIdent(v, L"inline-grid")) {
            // Grids are laid out as blocks.
            s.display = v.text == L"inline-grid" ? Display::InlineBlock : Display::Block;
            s.flexContainer = false;
        }
    } else if (p == L"position") {
        if (IsIdent(v, L"static")) s.position = Position::Static;
        else if (IsIdent(v, L"relative")) s.position = Position::Relative;
        else if (IsIdent(v, L"absolute")) s.position = Position::Absolute;
        else if (IsIdent(v, L"fixed")) s.position = Position::Fixed;
    } else if (p == L"float") {
        if (IsIdent(v, L"left")) s.floating = FloatSide::Left;
        else if (IsIdent(v, L"right")) s.floating = FloatSide::Right;
        else if (IsIdent(v, L"none")) s.floating = FloatSide::None;
    } else if (p == L"clear") {
        if (IsIdent(v, L"left")) s.clear = Clear::Left;
        else if (IsIdent(v, L"right")) s.clear = Clear::Right;
        else if (IsIdent(v, L"both")) s.clear = Clear::Both;
        else if (IsIdent(v, L"none")) s.clear = Clear::None;
    } else if (p == L"width" || p == L"height" || p == L"min-width" || p == L"min-height" || p == L"max-width" ||
               p == L"max-height") {
        bool isMin = p[1] == L'i';
        if (!ToLength(v, lc, l, true, !isMin) || l.Negative())
            return;
        Len* target = p == L"width" ? &s.width : p == L"height" ? &s.height : p == L"min-width" ? &s.minWidth
                    : p == L"min-height" ? &s.minHeight : p == L"max-width" ? &s.maxWidth : &s.maxHeight;
        *target = l;
    } else if (p == L"margin" || p == L"padding") {
        bool margin = p == L"margin";
        Len out[4];
        if (FourSides(vals, out, [&](const CssValue& x, Len& o) {
                return ToLength(x, lc, o, true, margin) && (margin || !o.Negative());
            }))
            for (int i = 0; i < 4; ++i)
                (margin ? s.margin : s.padding)[i] = out[i];
    } else if (p.compare(0, 7, L"margin-") == 0 || p.compare(0, 8, L"padding-") == 0) {
        bool margin = p[0] == L'm';
        int side = SideOf(p.substr(margin ? 7 : 8));
        if (side >= 0 && ToLength(v, lc, l, true, margin) && (margin || !l.Negative()))
            (margin ? s.margin : s.padding)[side] = l;
    } else if (p == L"top" || p == L"right" || p == L"bottom" || p == L"left") {
        if (ToLength(v, lc, l, true, true))
            s.offset[SideOf(p)] = l;
    } else if (p == L"border") {
        BorderShorthand(s, vals, -1, ctx);
    } else if (p == L"border-width") {
        float w[4];
        if (FourSides(vals, w, [&](const CssValue& x, float& o) { return BorderWidth_(x, lc, o); }))
            for (int i = 0; i < 4; ++i) s.borderWidth[i] = w[i];
    } else if (p == L"border-style") {
        BorderStyle st[4];
        if (FourSides(vals, st, [&](const CssValue& x, BorderStyle& o) {
                return x.type == CssValue::Ident && BorderStyle_(x.text, o);
            }))
            for (int i = 0; i < 4; ++i) s.borderStyle[i] = st[i];
    } else if (p == L"border-color") {
        Color cc[4];
        if (FourSides(vals, cc, [&](const CssValue& x, Color& o) { return ToColor(x, o, ctx.quirks, &s.color); }))
            for (int i = 0; i < 4; ++i) {
                s.borderColor[i] = cc[i];
                s.borderColorSet[i] = true;
            }
    } else if (p.compare(0, 7, L"border-") == 0 && p != L"border-collapse" && p != L"border-spacing" &&
               p.compare(p.size() - 7, 7, L"-radius") != 0) {
        std::wstring rest = p.substr(7);
        size_t dash = rest.find(L'-');
        int side = SideOf(rest.substr(0, dash));
        if (side < 0)
            return;
        std::wstring what = dash == std::wstring::npos ? L"" : rest.substr(dash + 1);
        float w;
        BorderStyle st;
        if (what.empty()) BorderShorthand(s, vals, side, ctx);
        else if (what == L"width" && BorderWidth_(v, lc, w)) s.borderWidth[side] = w;
        else if (what == L"style" && v.type == CssValue::Ident && BorderStyle_(v.text, st)) s.borderStyle[side] = st;
        else if (what == L"color" && ToColor(v, c, ctx.quirks, &s.color)) {
            s.borderColor[side] = c;
            s.borderColorSet[side] = true;
        }
    } else if (p == L"border-collapse") {
        s.borderCollapse = IsIdent(v, L"collapse");
    } else if (p == L"border-spacing") {
        Len h, w2;
        if (ToLength(v, lc, h, false, false) && h.v >= 0) {
            s.borderSpacingH = s.borderSpacingV = h.v;
            if (vals.size() > 1 && ToLength(vals[1], lc, w2, false, false) && w2.v >= 0)
                s.borderSpacingV = w2.v;
        }
    } else if (p == L"background") {
        Background_(s, vals, ctx);
    } else if (p == L"background-color") {
        if (ToColor(v, c, ctx.quirks, &s.color)) s.background = c;
    } else if (p == L"background-image") {
        if (v.type == CssValue::Url) s.backgroundImage = v.text;
        else if (IsIdent(v, L"none")) s.backgroundImage.clear();
    } else if (p == L"background-repeat" || p == L"background-position") {
        ComputedStyle t = s;
        Background_(t, vals, ctx);
        if (p == L"background-repeat") s.backgroundRepeat = t.backgroundRepeat;
        else {
            s.backgroundX = t.backgroundX;
            s.backgroundY = t.backgroundY;
        }
    } else if (p == L"font") {
        Font_(s, vals, ctx);
    } else if (p == L"caption-side") {
        if (IsIdent(v, L"bottom")) s.captionBottom = true;
        else if (IsIdent(v, L"top")) s.captionBottom = false;
    } else if (p == L"font-family") {
        std::wstring f = FontFamily_(vals, 0);
        if (!f.empty() && f != L"inherit") s.fontFamily = f;
    } else if (p == L"font-size") {
        float size, factor;
        uint8_t keyword;
        if (FontSize_(v, ctx, size, keyword, factor)) s.fontSize = size, s.sizeKeyword = keyword, s.sizeFactor = factor;
    } else if (p == L"font-weight") {
        int w;
        if (IsIdent(v, L"bolder") && ctx.parent) s.fontWeight = ctx.parent->fontWeight >= 600 ? 900 : 700;
        else if (FontWeight_(v, w)) s.fontWeight = w;
    } else if (p == L"font-style") {
        s.italic = IsIdent(v, L"italic") || IsIdent(v, L"oblique");
    } else if (p == L"text-align") {
        if (IsIdent(v, L"left") || IsIdent(v, L"start")) s.textAlign = TextAlign::Left;
        else if (IsIdent(v, L"right") || IsIdent(v, L"end")) s.textAlign = TextAlign::Right;
        else if (IsIdent(v, L"center")) s.textAlign = TextAlign::Center;
        else if (IsIdent(v, L"justify")) s.textAlign = TextAlign::Justify;
        else if (IsIdent(v, L"-center-blocks")) s.textAlign = TextAlign::CenterBlocks;
    } else if (p == L"text-decoration") {
        uint8_t dec = 0;
        for (const CssValue& x : vals) {
            if (IsIdent(x, L"underline")) dec |= ComputedStyle::Underline;
            else if (IsIdent(x, L"overline")) dec |= ComputedStyle::Overline;
            else if (IsIdent(x, L"line-through")) dec |= ComputedStyle::LineThrough;
            else if (!IsIdent(x, L"none") && !IsIdent(x, L"blink")) return;
        }
        s.textDecoration = dec;
    } else if (p == L"text-indent") {
        if (ToLength(v, lc, l, true, false)) s.textIndent = l;
    } else if (p == L"line-height") {
        if (LineHeight_(v, lc, l)) s.lineHeight = l;
    } else if (p == L"vertical-align") {
        VerticalAlign_(s, v, ctx);
    } else if (p == L"white-space") {
        if (IsIdent(v, L"normal")) s.whiteSpace = WhiteSpace::Normal;
        else if (IsIdent(v, L"pre")) s.whiteSpace = WhiteSpace::Pre;
        else if (IsIdent(v, L"nowrap")) s.whiteSpace = WhiteSpace::NoWrap;
        else if (IsIdent(v, L"pre-wrap")) s.whiteSpace = WhiteSpace::PreWrap;
        else if (IsIdent(v, L"pre-line")) s.whiteSpace = WhiteSpace::PreLine;
    } else if (p == L"overflow" || p == L"overflow-x" || p == L"overflow-y") {
        if (v.type == CssValue::Ident)
            s.overflowHidden = v.text != L"visible";
    } else if (p == L"visibility") {
        if (IsIdent(v, L"hidden") || IsIdent(v, L"collapse")) s.visible = false;
        else if (IsIdent(v, L"visible")) s.visible = true;
    } else if (p == L"list-style-type") {
        ListStyle ls;
        if (v.type == CssValue::Ident && ListStyle_(v.text, ls)) s.listStyle = ls;
    } else if (p == L"list-style-position") {
        s.listInside = IsIdent(v, L"inside");
    } else if (p == L"list-style") {
        for (const CssValue& x : vals) {
            ListStyle ls;
            if (x.type == CssValue::Ident && ListStyle_(x.text, ls)) s.listStyle = ls;
            else if (IsIdent(x, L"inside")) s.listInside = true;
            else if (x.type == CssValue::Url)
                EditInheritedExtras(s, [&](InheritedExtras& e) { e.listStyleImage = x.text; });
            else if (IsIdent(x, L"outside")) s.listInside = false;
        }
    } else if (p == L"z-index") {
        if (v.type == CssValue::Number) {
            s.zIndex = int(v.num);
            s.zAuto = false;
        } else if (IsIdent(v, L"auto")) {
            s.zAuto = true;
        }
    } else if (p == L"cursor") {
        s.cursorHand = IsIdent(v, L"pointer") || IsIdent(v, L"hand");
    } else if (p == L"box-sizing" || p == L"-moz-box-sizing" || p == L"-webkit-box-sizing") {
        if (IsIdent(v, L"border-box")) s.boxSizing = BoxSizing::BorderBox;
        else if (IsIdent(v, L"content-box")) s.boxSizing = BoxSizing::ContentBox;
    } else if (p == L"opacity") {
        float o;
        if (v.type == CssValue::Percent) o = v.num / 100;
        else if (!ToNumber(v, o)) return;
        s.opacity = static_cast<uint8_t>(o <= 0 ? 0 : o >= 1 ? 255 : int(o * 255 + 0.5f));
    } else if (p == L"text-transform") {
        if (IsIdent(v, L"uppercase")) s.textTransform = TextTransform::Uppercase;
        else if (IsIdent(v, L"lowercase")) s.textTransform = TextTransform::Lowercase;
        else if (IsIdent(v, L"capitalize")) s.textTransform = TextTransform::Capitalize;
        else if (IsIdent(v, L"none")) s.textTransform = TextTransform::None;
    } else if (p == L"overflow-wrap" || p == L"word-wrap") {
        if (IsIdent(v, L"break-word")) s.overflowWrap = OverflowWrap::BreakWord;
        else if (IsIdent(v, L"anywhere")) s.overflowWrap = OverflowWrap::Anywhere;
        else if (IsIdent(v, L"normal")) s.overflowWrap = OverflowWrap::Normal;
    } else if (p == L"word-break") {
        if (IsIdent(v, L"break-all")) s.wordBreak = WordBreak::BreakAll;
        else if (IsIdent(v, L"keep-all")) s.wordBreak = WordBreak::KeepAll;
        else if (IsIdent(v, L"break-word")) s.wordBreak = WordBreak::BreakWord;
        else if (IsIdent(v, L"normal")) s.wordBreak = WordBreak::Normal;
    } else if (p == L"border-radius") {
        // "a b / c d": the horizontal radii are used for both directions.
        Values h;
        for (const CssValue& x : vals) {
            if (x.type == CssValue::Slash)
                break;
            h.push_back(x);
        }
        Len r[4];
        if (FourSides(h, r, [&](const CssValue& x, Len& o) { return ToLength(x, lc, o, true, false) && !o.Negative(); }))
            EditExtras(s, [&](BoxExtras& x) {
                // Top-left, top-right, bottom-right, bottom-left follow the order of the sides.
                for (int i = 0; i < 4; ++i) x.radius[i] = r[i];
            });
    } else if (p == L"border-top-left-radius" || p == L"border-top-right-radius" ||
               p == L"border-bottom-right-radius" || p == L"border-bottom-left-radius") {
        int corner = p == L"border-top-left-radius" ? 0 : p == L"border-top-right-radius" ? 1
                   : p == L"border-bottom-right-radius" ? 2 : 3;
        if (ToLength(v, lc, l, true, false) && !l.Negative())
            EditExtras(s, [&](BoxExtras& x) { x.radius[corner] = l; });
    } else if (p == L"background-size") {
        BackgroundSize_(s, vals, lc);
    } else if (p == L"list-style-image") {
        if (v.type == CssValue::Url || IsIdent(v, L"none"))
            EditInheritedExtras(s, [&](InheritedExtras& x) { x.listStyleImage = v.type == CssValue::Url ? v.text : L""; });
    } else if (p == L"flex-direction") {
        static const struct { const wchar_t* n; FlexDirection d; } map[] = {
            {L"row", FlexDirection::Row}, {L"row-reverse", FlexDirection::RowReverse},
            {L"column", FlexDirection::Column}, {L"column-reverse", FlexDirection::ColumnReverse}};
        for (const auto& m : map)
            if (IsIdent(v, m.n))
                EditExtras(s, [&](BoxExtras& x) { x.flexDirection = m.d; });
    } else if (p == L"flex-wrap" || p == L"flex-flow") {
        for (const CssValue& x : vals) {
            if (IsIdent(x, L"wrap") || IsIdent(x, L"nowrap") || IsIdent(x, L"wrap-reverse"))
                EditExtras(s, [&](BoxExtras& e) {
                    e.flexWrap = x.text != L"nowrap";
                    e.wrapReverse = x.text == L"wrap-reverse";
                });
            else if (p == L"flex-flow") {
                Declaration direction{L"flex-direction", x.text, false, false, {x}};
                ApplyDeclaration(s, direction, ctx);
            }
        }
    } else if (p == L"justify-content") {
        static const struct { const wchar_t* n; FlexJustify j; } map[] = {
            {L"flex-start", FlexJustify::Start}, {L"start", FlexJustify::Start}, {L"left", FlexJustify::Start},
            {L"normal", FlexJustify::Start}, {L"stretch", FlexJustify::Start}, {L"flex-end", FlexJustify::End},
            {L"end", FlexJustify::End}, {L"right", FlexJustify::End}, {L"center", FlexJustify::Center},
            {L"space-between", FlexJustify::SpaceBetween}, {L"space-around", FlexJustify::SpaceAround},
            {L"space-evenly", FlexJustify::SpaceEvenly}};
        for (const auto& m : map)
            if (IsIdent(vals.back(), m.n))
                EditExtras(s, [&](BoxExtras& x) { x.justifyContent = m.j; });
    } else if (p == L"align-items" || p == L"align-self") {
        bool ok;
        FlexAlign a = FlexAlign_(vals.back(), ok);
        if (ok && !(p == L"align-items" && a == FlexAlign::Auto))
            EditExtras(s, [&](BoxExtras& x) { (p == L"align-items" ? x.alignItems : x.alignSelf) = a; });
    } else if (p == L"flex-grow" || p == L"flex-shrink") {
        float n;
        if (ToNumber(v, n) && n >= 0)
            EditExtras(s, [&](BoxExtras& x) { (p == L"flex-grow" ? x.flexGrow : x.flexShrink) = n; });
    } else if (p == L"flex-basis") {
        if (IsIdent(v, L"content")) EditExtras(s, [&](BoxExtras& x) { x.flexBasis = Len(); });
        else if (ToLength(v, lc, l, true, true) && !l.Negative()) EditExtras(s, [&](BoxExtras& x) { x.flexBasis = l; });
    } else if (p == L"flex") {
        Flex_(s, vals, lc);
    } else if (p == L"gap" || p == L"grid-gap" || p == L"row-gap" || p == L"column-gap" || p == L"grid-row-gap" ||
               p == L"grid-column-gap") {
        Len row, column;
        if (!ToLength(v, lc, row, true, false) || row.Negative())
            return;
        column = row;
        if ((p == L"gap" || p == L"grid-gap") && vals.size() > 1 && (!ToLength(vals[1], lc, column, true, false) || column.Negative()))
            return;
        bool rows = p.find(L"column") == std::wstring::npos, columns = p.find(L"row") == std::wstring::npos;
        EditExtras(s, [&](BoxExtras& x) {
            if (rows) x.rowGap = row;
            if (columns) x.columnGap = column;
        });
    } else if (p == L"order") {
        float n;
        if (ToNumber(v, n))
            EditExtras(s, [&](BoxExtras& x) { x.order = static_cast<int>(n); });
    }
}

} // namespace html
