// Replaced elements: images at their given or natural sizes and form
// controls at the sizes they usually have.
#include <algorithm>
#include <cwctype>

#include "LayoutEngine.h"
#include "html/parse/TreeBuilder.h"

namespace html {
namespace {

std::wstring InputType(const Node& e)
{
    std::wstring t = e.AttributeOr(L"type", L"text");
    for (wchar_t& c : t)
        c = static_cast<wchar_t>(std::towlower(c));
    return t;
}

} // namespace

bool LayoutEngine::IsReplaced(const Node& e) const
{
    static const wchar_t* const tags[] = {L"img", L"input", L"select", L"textarea", L"button", L"iframe",
                                          L"object", L"embed", L"applet"};
    if (!e.IsElement())
        return false;
    for (const wchar_t* t : tags)
        if (e.tag == t)
            return true;
    return false;
}

std::wstring ButtonCaption(const Node& e)
{
    if (e.tag == L"button") {
        std::wstring t = TextContent(e);
        size_t b = t.find_first_not_of(L" \t\r\n"), x = t.find_last_not_of(L" \t\r\n");
        return b == std::wstring::npos ? L"" : t.substr(b, x - b + 1);
    }
    if (const std::wstring* v = e.Attribute(L"value"))
        return *v;
    std::wstring type = InputType(e);
    return type == L"reset" ? L"Reset" : type == L"file" ? L"Browse..." : L"Submit";
}

void LayoutEngine::ReplacedSize(const Node& e, const ComputedStyle& s, int cbW, int& w, int& h)
{
    int font = Font(s);
    const FontMetrics& m = in.fonts.Metrics(font);
    int natW = 0, natH = 0;
    bool known = true;
    std::wstring type = e.tag == L"input" ? InputType(e) : L"";
    if (e.tag == L"img" || type == L"image") {
        std::wstring src = e.AttributeOr(L"src");
        known = !src.empty() && in.imageSize && in.imageSize(src, natW, natH);
        if (!known) {
            // A missing picture shows its icon and its text; one whose text is
            // empty on purpose (alt="") takes no room at all.
            const std::wstring* alt = e.Attribute(L"alt");
            if (alt && alt->empty())
                natW = natH = 0;
            else if (!alt)
                natW = natH = 16;
            else
                natW = in.fonts.TextWidth(font, *alt) + 16, natH = std::max(16, m.ascent + m.descent);
        }
    } else if (e.tag == L"input") {
        int charW = std::max(1, in.fonts.TextWidth(font, L"x", 1));
        if (type == L"checkbox" || type == L"radio") {
            natW = natH = 13;
        } else if (type == L"submit" || type == L"reset" || type == L"button" || type == L"file") {
            natW = in.fonts.TextWidth(font, ButtonCaption(e)) + 16 + (type == L"file" ? 160 : 0);
            natH = m.ascent + m.descent + 6;
        } else {
            int size = std::max(1, std::min(_wtoi(e.AttributeOr(L"size", L"20").c_str()), 1000));
            if (e.AttributeOr(L"size").empty())
                size = 20;
            natW = size * (charW + 2) + 8;
            natH = m.ascent + m.descent + 6;
        }
    } else if (e.tag == L"button") {
        natW = in.fonts.TextWidth(font, ButtonCaption(e)) + 16;
        natH = m.ascent + m.descent + 6;
    } else if (e.tag == L"select") {
        int widest = 0, options = 0;
        std::vector<const Node*> work{&e};
        while (!work.empty()) {
            const Node* n = work.back();
            work.pop_back();
            if (n->Is(L"option")) {
                widest = std::max(widest, in.fonts.TextWidth(font, TextContent(*n)));
                ++options;
            } else {
                for (const auto& c : n->children)
                    work.push_back(c.get());
            }
        }
        int rows = _wtoi(e.AttributeOr(L"size", L"0").c_str());
        if (rows <= 1 && e.Attribute(L"multiple"))
            rows = 4;
        rows = std::min(rows, 1000);
        natW = widest + 28;
        natH = rows > 1 ? rows * (m.ascent + m.descent + 1) + 4 : m.ascent + m.descent + 5;
    } else if (e.tag == L"textarea") {
        int cols = _wtoi(e.AttributeOr(L"cols", L"20").c_str());
        int rows = _wtoi(e.AttributeOr(L"rows", L"2").c_str());
        cols = cols <= 0 ? 20 : std::min(cols, 1000);
        rows = rows <= 0 ? 2 : std::min(rows, 1000);
        natW = cols * std::max(1, in.fonts.TextWidth(font, L"m", 1)) + 6 + 17;
        natH = rows * (m.ascent + m.descent) + 6;
    } else {
        natW = 300;
        natH = 150;
        known = false;
    }
    bool hasW = s.width.kind == Len::Px || (s.width.kind == Len::Percent && cbW > 0);
    bool hasH = s.height.kind == Len::Px;
    w = hasW ? s.width.Resolve(cbW) : natW;
    h = hasH ? s.height.Resolve(0) : natH;
    if ((e.tag == L"img" || type == L"image") && known && natW > 0 && natH > 0) {
        // One given side keeps the picture's proportions.
        if (hasW && !hasH)
            h = static_cast<int>(static_cast<long long>(w) * natH / natW);
        else if (hasH && !hasW)
            w = static_cast<int>(static_cast<long long>(h) * natW / natH);
    }
    if (!s.maxWidth.IsAuto())
        w = std::min(w, s.maxWidth.Resolve(cbW));
    if (!s.maxHeight.IsAuto() && s.maxHeight.kind == Len::Px)
        h = std::min(h, s.maxHeight.Resolve(0));
    w = std::max(0, std::min(w, 100000));
    h = std::max(0, std::min(h, 100000));
}

void LayoutEngine::EmitReplaced(const Node& e, const ComputedStyle& s, const Rect& box)
{
    AddItem(DisplayItem::Box, e, box, false);
    Rect content{box.x + s.Border(Left) + s.padding[Left].Resolve(0), box.y + s.Border(Top) + s.padding[Top].Resolve(0),
                 0, 0};
    content.w = box.w - s.Border(Left) - s.Border(Right) - s.padding[Left].Resolve(0) - s.padding[Right].Resolve(0);
    content.h = box.h - s.Border(Top) - s.Border(Bottom) - s.padding[Top].Resolve(0) - s.padding[Bottom].Resolve(0);
    bool image = e.tag == L"img" || (e.tag == L"input" && InputType(e) == L"image");
    int item = AddItem(image ? DisplayItem::Image : DisplayItem::Control, e, content, false);
    if (!image) {
        out.items[item].font = Font(s);
    }
}

} // namespace html
