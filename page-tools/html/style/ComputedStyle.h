#pragma once
// The values the layout and painting read for one element, after the
// cascade, inheritance and the conversion of units to pixels.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace html {

struct Color {
    uint8_t r = 0, g = 0, b = 0, a = 0; // a = 0: transparent
    static Color Rgb(int r, int g, int b) { return Color{uint8_t(r), uint8_t(g), uint8_t(b), 255}; }
    bool Visible() const { return a != 0; }
    bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

// A length after the cascade: pixels, a percentage of what its property
// refers to, or auto (also "none" for the max- properties and "normal" for
// line-height; Number is a line-height factor). calc() with a percentage
// keeps both parts (Calc: pixels plus percentage), and min() or max() of a
// percentage and pixels keeps both sides.
struct Len {
    enum Kind : uint8_t { Auto, Px, Percent, Number, Calc, CalcMin, CalcMax } kind = Auto;
    int16_t calcPercent = 0; // the Calc kinds' percentage, in hundredths of a percent
    float v = 0;             // the Calc kinds' pixels
    static Len Pixels(float px) { return Len{Px, 0, px}; }
    static Len Percentage(float pct) { return Len{Percent, 0, pct}; }
    static Len Factor(float f) { return Len{Number, 0, f}; }
    bool IsAuto() const { return kind == Auto; }
    // Below zero for every reference; a calc() whose pixel part is negative may still come out positive.
    bool Negative() const { return (kind == Px || kind == Percent || kind == Number) && v < 0; }
    // Pixels against the reference length, unrounded; fallback for auto and numbers.
    float Exact(float reference, float fallback = 0) const
    {
        float pct = calcPercent / 100.0f * reference / 100.0f;
        switch (kind) {
        case Px: return v;
        case Percent: return v * reference / 100.0f;
        case Calc: return v + pct;
        case CalcMin: return pct < v ? pct : v;
        case CalcMax: return pct > v ? pct : v;
        default: return fallback;
        }
    }
    // Pixels against the reference length; fallback for auto.
    int Resolve(int reference, int fallback = 0) const
    {
        if (kind == Px)
            return int(v + (v >= 0 ? 0.5f : -0.5f));
        if (kind == Percent)
            return int(v * reference / 100.0f);
        if (kind == Auto || kind == Number)
            return fallback;
        float px = Exact(static_cast<float>(reference));
        return int(px + (px >= 0 ? 0.5f : -0.5f));
    }
};

enum class Display : uint8_t {
    None, Block, Inline, InlineBlock, ListItem, Table, InlineTable, TableRowGroup, TableHeaderGroup,
    TableFooterGroup, TableRow, TableCell, TableCaption, TableColumn, TableColumnGroup
};
enum class Position : uint8_t { Static, Relative, Absolute, Fixed };
enum class FloatSide : uint8_t { None, Left, Right };
enum class Clear : uint8_t { None, Left, Right, Both };
// CenterBlocks also centres block children with a width (the <center> element's rule).
enum class TextAlign : uint8_t { Left, Right, Center, Justify, CenterBlocks };
enum class WhiteSpace : uint8_t { Normal, Pre, NoWrap, PreWrap, PreLine };
enum class VAlign : uint8_t { Baseline, Sub, Super, Top, TextTop, Middle, Bottom, TextBottom, Length };
enum class ListStyle : uint8_t {
    Disc, Circle, Square, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman, None
};
enum class BorderStyle : uint8_t { None, Hidden, Solid, Dashed, Dotted, Double, Groove, Ridge, Inset, Outset };
enum class BgRepeat : uint8_t { Repeat, RepeatX, RepeatY, NoRepeat };
enum class TextTransform : uint8_t { None, Uppercase, Lowercase, Capitalize };
enum class OverflowWrap : uint8_t { Normal, BreakWord, Anywhere };
enum class WordBreak : uint8_t { Normal, BreakAll, KeepAll, BreakWord };
enum class BoxSizing : uint8_t { ContentBox, BorderBox };
enum class BgSize : uint8_t { Auto, Cover, Contain, Lengths };
enum class FlexDirection : uint8_t { Row, RowReverse, Column, ColumnReverse };
enum class FlexAlign : uint8_t { Auto, Stretch, Start, End, Center, Baseline }; // align-items, align-self
enum class FlexJustify : uint8_t { Start, End, Center, SpaceBetween, SpaceAround, SpaceEvenly };

// Properties few elements set, kept apart so that the common style stays small.
struct BoxExtras {
    Len radius[4];                       // top-left, top-right, bottom-right, bottom-left
    BgSize backgroundSize = BgSize::Auto;
    Len backgroundWidth, backgroundHeight; // BgSize::Lengths; auto keeps the picture's proportions
    // Flex containers.
    FlexDirection flexDirection = FlexDirection::Row;
    bool flexWrap = false, wrapReverse = false;
    FlexJustify justifyContent = FlexJustify::Start;
    FlexAlign alignItems = FlexAlign::Stretch;
    Len rowGap = Len::Pixels(0), columnGap = Len::Pixels(0);
    // Flex items.
    FlexAlign alignSelf = FlexAlign::Auto;
    float flexGrow = 0, flexShrink = 1;
    Len flexBasis;                       // auto: the width or height
    int order = 0;
};

// Inherited properties few elements set.
struct InheritedExtras {
    std::vector<std::pair<std::wstring, std::wstring>> customProperties; // name with "--", value text
    std::wstring listStyleImage;

    const std::wstring* CustomProperty(const std::wstring& name) const
    {
        for (const auto& p : customProperties)
            if (p.first == name)
                return &p.second;
        return nullptr;
    }
};
enum Side { Top = 0, Right = 1, Bottom = 2, Left = 3 };

struct ComputedStyle {
    // Inherited. (Small members sit where the larger ones leave room.)
    Color color = Color::Rgb(0, 0, 0);
    TextTransform textTransform = TextTransform::None;
    OverflowWrap overflowWrap = OverflowWrap::Normal;
    WordBreak wordBreak = WordBreak::Normal;
    std::wstring fontFamily = L"Times New Roman";
    float fontSize = 16;
    int fontWeight = 400;
    // A size that comes from a keyword (medium, the default, too) times
    // sizeFactor, kept through em and % sizes: such a size depends on the
    // family, as monospace text is 13 pixels where other text is 16.
    // sizeKeyword 1..7 is xx-small..xx-large, 0 a size of its own.
    float sizeFactor = 1;
    uint8_t sizeKeyword = 4;
    bool italic = false;
    TextAlign textAlign = TextAlign::Left;
    Len textIndent = Len::Pixels(0);
    Len lineHeight;               // Auto = normal
    WhiteSpace whiteSpace = WhiteSpace::Normal;
    bool visible = true;
    ListStyle listStyle = ListStyle::Disc;
    bool listInside = false;
    float borderSpacingH = 2, borderSpacingV = 2;
    bool borderCollapse = false;
    bool captionBottom = false;      // caption-side: bottom
    uint8_t decorationsInEffect = 0; // decorations of this element and its inline ancestors
    bool cursorHand = false;

    // Not inherited.
    Display display = Display::Inline;
    Position position = Position::Static;
    FloatSide floating = FloatSide::None;
    Clear clear = Clear::None;
    Len width, height, minWidth = Len::Pixels(0), minHeight = Len::Pixels(0), maxWidth, maxHeight;
    Len margin[4] = {Len::Pixels(0), Len::Pixels(0), Len::Pixels(0), Len::Pixels(0)};
    Len padding[4] = {Len::Pixels(0), Len::Pixels(0), Len::Pixels(0), Len::Pixels(0)};
    float borderWidth[4] = {3, 3, 3, 3};   // computed to 0 where the style is none
    BorderStyle borderStyle[4] = {BorderStyle::None, BorderStyle::None, BorderStyle::None, BorderStyle::None};
    Color borderColor[4];
    bool borderColorSet[4] = {false, false, false, false}; // unset: the element's colour
    Len offset[4];
    Color background;
    std::wstring backgroundImage;
    std::shared_ptr<const BoxExtras> extras; // null: all at their initial values
    // Inherited, kept here beside the other pointer to waste no space.
    std::shared_ptr<const InheritedExtras> inheritedExtras; // null: none set here or above
    BgRepeat backgroundRepeat = BgRepeat::Repeat;
    BoxSizing boxSizing = BoxSizing::ContentBox;
    bool flexContainer = false;   // display flex (a block) or inline-flex (an inline block)
    uint8_t opacity = 255;        // this element's opacity times its ancestors', 255 opaque
    Len backgroundX = Len::Percentage(0), backgroundY = Len::Percentage(0);
    uint8_t textDecoration = 0;
    VAlign verticalAlign = VAlign::Baseline;
    float verticalLength = 0;
    bool overflowHidden = false;
    int zIndex = 0;
    bool zAuto = true;
    // Margins only the built-in sheet gave: quirks mode drops them at the top of the body and of cells.
    bool builtinMarginTop = false, builtinMarginBottom = false;

    enum Decoration : uint8_t { Underline = 1, Overline = 2, LineThrough = 4 };

    int Border(int side) const
    {
        return (borderStyle[side] == BorderStyle::None || borderStyle[side] == BorderStyle::Hidden)
                   ? 0
                   : int(borderWidth[side] + 0.5f);
    }
    Color BorderColor(int side) const { return borderColorSet[side] ? borderColor[side] : color; }
    const BoxExtras& Extras() const
    {
        static const BoxExtras initial;
        return extras ? *extras : initial;
    }
    bool IsBlockLevel() const
    {
        return display == Display::Block || display == Display::ListItem || display == Display::Table;
    }
    bool IsFloating() const { return floating != FloatSide::None; }
    bool IsOutOfFlow() const { return position == Position::Absolute || position == Position::Fixed; }
};

} // namespace html
