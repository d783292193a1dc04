// Line boxes: the inline content of a block broken into lines, aligned,
// and placed beside the floats of its formatting context.
#include <algorithm>
#include <cwctype>

#include "LayoutEngine.h"

namespace html {
namespace {

struct Piece {
    enum Kind : unsigned char { Word, Open, Close, Atomic, Break, Float, Abs } kind = Word;
    const Node* node = nullptr;   // the element; for a word, the element holding its text
    const ComputedStyle* style = nullptr;
    std::wstring text;
    int width = 0;
    int spaceWidth = 0;           // the collapsible space after it
    bool wrap = true;             // a line may break at that space
    int font = -1;
    int shift = 0;                // baseline shift of vertical-align, downwards
    int height = 0, baseline = 0; // atomic: margin box height, baseline from its top
    Mark from{}, to{};            // atomic: what its layout produced
};

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\n' || c == L'\t' || c == L'\r' || c == L'\f';
}

bool IsTextControl(const Node& n)
{
    if (n.Is(L"select") || n.Is(L"button"))
        return true;
    if (!n.Is(L"input"))
        return false;
    std::wstring type = n.AttributeOr(L"type", L"text");
    for (wchar_t& c : type)
        c = static_cast<wchar_t>(towlower(c));
    return type != L"checkbox" && type != L"radio" && type != L"image" && type != L"hidden";
}

class InlineCollector {
public:
    InlineCollector(LayoutEngine& e, int cbW) : eng(e), cbWidth(cbW) {}
    std::vector<Piece> pieces;
    bool lastSpace = true; // at the start of a line leading spaces go

    void Collect(const Node& n, int shift, int depth)
    {
        if (n.kind == NodeKind::Text) {
            const ComputedStyle* s = eng.StyleOf(n);
            if (s && n.parent)
                Text(n.text, *n.parent, *s, shift);
            return;
        }
        if (!n.IsElement() || depth > MaxLayoutDepth)
            return;
        const ComputedStyle* s = eng.StyleOf(n);
        if (!s)
            return;
        Piece p;
        p.node = &n;
        p.style = s;
        p.shift = shift;
        if (s->IsFloating()) {
            p.kind = Piece::Float;
            pieces.push_back(p);
            return;
        }
        if (s->IsOutOfFlow()) {
            p.kind = Piece::Abs;
            pieces.push_back(p);
            return;
        }
        if (n.tag == L"br") {
            p.kind = Piece::Break;
            p.font = eng.Font(*s);
            pieces.push_back(p);
            lastSpace = true;
            return;
        }
        if (s->display != Display::Inline || eng.IsReplaced(n)) {
            Atomic(n, *s, p);
            return;
        }
        p.kind = Piece::Open;
        p.font = eng.Font(*s);
        p.width = s->margin[Left].Resolve(cbWidth) + s->Border(Left) + s->padding[Left].Resolve(cbWidth);
        pieces.push_back(p);
        int childShift = shift + OwnShift(n, *s);
        for (const auto& c : n.children)
            Collect(*c, childShift, depth + 1);
        p.kind = Piece::Close;
        p.width = s->margin[Right].Resolve(cbWidth) + s->Border(Right) + s->padding[Right].Resolve(cbWidth);
        pieces.push_back(p);
    }

private:
    int OwnShift(const Node& n, const ComputedStyle& s)
    {
        const ComputedStyle* ps = n.parent ? eng.StyleOf(*n.parent) : nullptr;
        float parentSize = ps ? ps->fontSize : s.fontSize;
        switch (s.verticalAlign) {
        case VAlign::Sub: return int(parentSize / 5 + 1);
        case VAlign::Super: return -int(parentSize / 3 + 1);
        case VAlign::Length: return -int(s.verticalLength);
        default: return 0;
        }
    }

    void Atomic(const Node& n, const ComputedStyle& s, Piece& p)
    {
        p.kind = Piece::Atomic;
        p.from = eng.Here();
        int before = eng.lastBaseline;
        eng.lastBaseline = INT_MIN;
        p.height = eng.LayoutRoot(n, s, 0, 0, cbWidth, true, -1);
        const Rect& b = eng.out.boxes[n.index];
        p.width = s.margin[Left].Resolve(cbWidth) + b.w + s.margin[Right].Resolve(cbWidth);
        p.baseline = (eng.lastBaseline != INT_MIN && !s.overflowHidden && !eng.IsReplaced(n)) ? eng.lastBaseline
                                                                                          : p.height;
        if (IsTextControl(n)) {
            // Fields, buttons and lists sit on the line by the baseline of the text inside them.
            const FontMetrics& m = eng.in.fonts.Metrics(eng.Font(s));
            p.baseline = b.y + (b.h + m.ascent - m.descent) / 2;
        }
        eng.lastBaseline = before;
        p.to = eng.Here();
        p.wrap = s.whiteSpace == WhiteSpace::Normal || s.whiteSpace == WhiteSpace::PreWrap;
        pieces.push_back(p);
        lastSpace = false;
    }

    Piece* LastContent()
    {
        for (size_t i = pieces.size(); i-- > 0;) {
            if (pieces[i].kind == Piece::Word || pieces[i].kind == Piece::Atomic)
                return &pieces[i];
            if (pieces[i].kind == Piece::Break)
                return nullptr;
        }
        return nullptr;
    }

    void AddWord(const std::wstring& word, const Node& owner, const ComputedStyle& s, int font, int shift)
    {
        // Very long words are cut into pieces that stay joined on a line.
        for (size_t at = 0; at < word.size(); at += 4096) {
            Piece p;
            p.kind = Piece::Word;
            p.node = &owner;
            p.style = &s;
            p.font = font;
            p.shift = shift;
            p.text = word.substr(at, 4096);
            p.width = eng.in.fonts.TextWidth(font, p.text);
            p.wrap = false;
            pieces.push_back(std::move(p));
        }
        pieces.back().wrap = s.whiteSpace == WhiteSpace::Normal || s.whiteSpace == WhiteSpace::PreWrap ||
                             s.whiteSpace == WhiteSpace::PreLine;
        lastSpace = false;
    }

    void Text(const std::wstring& text, const Node& owner, const ComputedStyle& s, int shift)
    {
        int font = eng.Font(s);
        int space = eng.in.fonts.TextWidth(font, L" ", 1);
        bool preserve = s.whiteSpace == WhiteSpace::Pre || s.whiteSpace == WhiteSpace::PreWrap;
        bool keepLines = preserve || s.whiteSpace == WhiteSpace::PreLine;
        std::wstring word;
        size_t column = 0;
        for (size_t i = 0; i <= text.size(); ++i) {
            wchar_t c = i < text.size() ? text[i] : L'\0';
            if (c == L'\r')
                continue;
            if (i == text.size() || IsSpace(c)) {
                if (!word.empty()) {
                    AddWord(word, owner, s, font, shift);
                    word.clear();
                }
                if (i == text.size())
                    break;
                if (c == L'\n' && keepLines) {
                    Piece p;
                    p.kind = Piece::Break;
                    p.node = &owner;
                    p.style = &s;
                    p.font = font;
                    pieces.push_back(p);
                    lastSpace = true;
                    column = 0;
                    continue;
                }
                if (preserve) {
                    // Kept spaces are part of the text; a tab reaches the next multiple of eight.
                    size_t n = c == L'\t' ? 8 - column % 8 : 1;
                    Piece* last = (!pieces.empty() && pieces.back().kind == Piece::Word) ? &pieces.back() : nullptr;
                    if (last && s.whiteSpace == WhiteSpace::PreWrap) {
                        last->spaceWidth += space * int(n);
                    } else {
                        AddWord(std::wstring(n, L' '), owner, s, font, shift);
                        pieces.back().wrap = s.whiteSpace == WhiteSpace::PreWrap;
                    }
                    column += n;
                    continue;
                }
                if (!lastSpace) {
                    if (Piece* last = LastContent()) {
                        last->spaceWidth = space;
                        last->wrap = s.whiteSpace != WhiteSpace::NoWrap;
                    }
                    lastSpace = true;
                }
                continue;
            }
            word += c == 0xA0 ? 0xA0 : c;
            ++column;
        }
    }

    LayoutEngine& eng;
    int cbWidth;
};

struct Extent {
    int top = INT_MAX, bottom = INT_MIN;
    void Add(int t, int b)
    {
        top = std::min(top, t);
        bottom = std::max(bottom, b);
    }
};

} // namespace

std::wstring LayoutEngine::MarkerText(const Node& li, const ComputedStyle& s)
{
    if (s.listStyle == ListStyle::Disc || s.listStyle == ListStyle::Circle || s.listStyle == ListStyle::Square ||
        s.listStyle == ListStyle::None)
        return L"";
    int n = 1;
    if (li.parent && li.parent->Is(L"ol")) {
        const std::wstring* start = li.parent->Attribute(L"start");
        n = start ? _wtoi(start->c_str()) : 1;
    }
    if (li.parent) {
        int k = n;
        for (const auto& c : li.parent->children) {
            if (c.get() == &li)
                break;
            if (c->Is(L"li"))
                ++k;
        }
        n = k;
    }
    if (const std::wstring* value = li.Attribute(L"value"))
        n = _wtoi(value->c_str());
    std::wstring t;
    switch (s.listStyle) {
    case ListStyle::LowerAlpha:
    case ListStyle::UpperAlpha: {
        int v = std::max(n, 1);
        while (v > 0) {
            --v;
            t.insert(t.begin(), static_cast<wchar_t>((s.listStyle == ListStyle::LowerAlpha ? L'a' : L'A') + v % 26));
            v /= 26;
        }
        break;
    }
    case ListStyle::LowerRoman:
    case ListStyle::UpperRoman: {
        static const int values[] = {1000, 900, 500, 400, 100, 90, 50, 40, 10, 9, 5, 4, 1};
        static const wchar_t* const digits[] = {L"m", L"cm", L"d", L"cd", L"c", L"xc", L"l", L"xl", L"x", L"ix", L"v", L"iv", L"i"};
        int v = std::max(1, std::min(n, 3999));
        for (int i = 0; i < 13; ++i)
            while (v >= values[i]) {
                t += digits[i];
                v -= values[i];
            }
        if (s.listStyle == ListStyle::UpperRoman)
            for (wchar_t& c : t)
                c = static_cast<wchar_t>(c - 32);
        break;
    }
    default:
        t = std::to_wstring(n);
    }
    return t + L". ";
}

void LayoutEngine::LayoutInlineRun(const Node& e, const ComputedStyle& s, size_t first, size_t last, int x, int w,
                                   Flow& flow, Bfc& bfc)
{
    InlineCollector col(*this, w);
    for (size_t i = first; i < last; ++i)
        col.Collect(*e.children[i], 0, depth);
    std::vector<Piece>& pieces = col.pieces;
    bool hasContent = false;
    for (const Piece& p : pieces)
        hasContent = hasContent || p.kind == Piece::Word || p.kind == Piece::Atomic || p.kind == Piece::Break;
    if (!hasContent) {
        int y = flow.y + flow.pending.Value();
        for (const Piece& p : pieces) {
            if (p.kind == Piece::Float)
                PlaceFloat(*p.node, *p.style, x, w, y, bfc);
            else if (p.kind == Piece::Abs)
                QueueAbsolute(*p.node, x, y);
        }
        return;
    }
    int y = flow.Resolve();
    int strutFont = Font(s);
    const FontMetrics& sm = in.fonts.Metrics(strutFont);
    int strutLine = LineHeightOf(s);
    int strutA = sm.ascent + (strutLine - sm.ascent - sm.descent) / 2;
    int strutD = strutLine - strutA;
    int indent = s.textIndent.Resolve(w);
    std::vector<const Piece*> openAtStart;
    size_t i = 0;
    bool firstLine = true;
    std::vector<size_t> deferred;
    int guard = 0;
    while (i < pieces.size() && guard++ < 10000000) {
        int L, R;
        bfc.Band(y, std::max(strutLine, 1), x, w, L, R);
        int avail = R - L;
        std::vector<size_t> line;
        int cx = firstLine ? indent : 0;
        bool content = false, forced = false;
        const Piece* prevContent = nullptr;
        size_t lineStart = i;
        while (i < pieces.size()) {
            Piece& p = pieces[i];
            if (p.kind == Piece::Break) {
                line.push_back(i++);
                forced = true;
                break;
            }
            if (p.kind == Piece::Float) {
                if (!content) {
                    PlaceFloat(*p.node, *p.style, x, w, y, bfc);
                    bfc.Band(y, std::max(strutLine, 1), x, w, L, R);
                    avail = R - L;
                } else {
                    deferred.push_back(i);
                }
                ++i;
                continue;
            }
            if (p.kind == Piece::Abs) {
                QueueAbsolute(*p.node, L + cx, y);
                ++i;
                continue;
            }
            int gap = (prevContent && (p.kind == Piece::Word || p.kind == Piece::Atomic)) ? prevContent->spaceWidth : 0;
            if ((p.kind == Piece::Word || p.kind == Piece::Atomic) && cx + gap + p.width > avail) {
                if (content && prevContent && prevContent->spaceWidth > 0 && prevContent->wrap)
                    break;
                if (!content && !bfc.floats.empty() && avail < w) {
                    // Too narrow beside the floats: go below the first of them that ends.
                    int next = INT_MAX;
                    for (const FloatBox& f : bfc.floats)
                        if (f.r.y < y + std::max(strutLine, 1) && f.r.Bottom() > y)
                            next = std::min(next, f.r.Bottom());
                    if (next != INT_MAX && next > y) {
                        y = next;
                        bfc.Band(y, std::max(strutLine, 1), x, w, L, R);
                        avail = R - L;
                        continue;
                    }
                }
            }
            if (p.kind == Piece::Word || p.kind == Piece::Atomic) {
                cx += gap + p.width;
                content = true;
                prevContent = &p;
            } else {
                cx += p.width;
            }
            line.push_back(i++);
        }
        // Opening tags at the end of a broken line go down with the word they open.
        while (!forced && i < pieces.size() && !line.empty() && pieces[line.back()].kind == Piece::Open &&
               line.size() > 1) {
            line.pop_back();
            --i;
        }
        if (line.empty() && i == lineStart) {
            if (i < pieces.size())
                line.push_back(i++); // always move on
        }
        // Horizontal positions.
        std::vector<int> px(line.size());
        int pos = firstLine ? indent : 0;
        prevContent = nullptr;
        int gaps = 0;
        for (size_t k = 0; k < line.size(); ++k) {
            const Piece& p = pieces[line[k]];
            if ((p.kind == Piece::Word || p.kind == Piece::Atomic) && prevContent) {
                pos += prevContent->spaceWidth;
                if (prevContent->spaceWidth > 0)
                    ++gaps;
            }
            px[k] = pos;
            pos += p.width;
            if (p.kind == Piece::Word || p.kind == Piece::Atomic)
                prevContent = &p;
        }
        int lineWidth = pos;
        int extra = avail - lineWidth;
        int offset = 0;
        bool lastLine = i >= pieces.size() || forced;
        if (s.textAlign == TextAlign::Right)
            offset = extra;
        else if (s.textAlign == TextAlign::Center || s.textAlign == TextAlign::CenterBlocks)
            offset = extra / 2;
        if (offset < 0)
            offset = 0;
        if (s.textAlign == TextAlign::Justify && !lastLine && gaps > 0 && extra > 0) {
            int added = 0, seen = 0;
            prevContent = nullptr;
            for (size_t k = 0; k < line.size(); ++k) {
                const Piece& p = pieces[line[k]];
                if ((p.kind == Piece::Word || p.kind == Piece::Atomic) && prevContent && prevContent->spaceWidth > 0) {
                    ++seen;
                    added = extra * seen / gaps;
                }
                px[k] += added;
                if (p.kind == Piece::Word || p.kind == Piece::Atomic)
                    prevContent = &p;
            }
        }
        // Vertical metrics around the baseline.
        // In quirks mode the block's own line height counts only on lines with text of its own.
        bool hasText = false;
        for (size_t k : line)
            hasText = hasText || (pieces[k].kind == Piece::Word && (!quirks || pieces[k].node == &e));
        Extent ext;
        if (!quirks || hasText || (line.size() == 1 && pieces[line[0]].kind == Piece::Break))
            ext.Add(-strutA, strutD);
        int topBottomHeight = 0;
        auto textExtent = [&](const Piece& p, Extent& into) {
            const FontMetrics& m = in.fonts.Metrics(p.font);
            int lh = LineHeightOf(*p.style);
            int a = m.ascent + (lh - m.ascent - m.descent) / 2;
            into.Add(p.shift - a, p.shift + lh - a);
        };
        for (size_t k : line) {
            const Piece& p = pieces[k];
            if (p.kind == Piece::Word || (p.kind == Piece::Open && !quirks)) {
                textExtent(p, ext);
            } else if (p.kind == Piece::Atomic) {
                const ComputedStyle& as = *p.style;
                int parentX = sm.xHeight;
                switch (as.verticalAlign) {
                case VAlign::Top:
                case VAlign::Bottom: topBottomHeight = std::max(topBottomHeight, p.height); break;
                case VAlign::Middle: ext.Add(p.shift - parentX / 2 - p.height / 2, p.shift - parentX / 2 + (p.height + 1) / 2); break;
                case VAlign::TextTop: ext.Add(p.shift - sm.ascent, p.shift - sm.ascent + p.height); break;
                case VAlign::TextBottom: ext.Add(p.shift + sm.descent - p.height, p.shift + sm.descent); break;
                default: {
                    int own = as.verticalAlign == VAlign::Sub ? int(s.fontSize / 5 + 1)
                            : as.verticalAlign == VAlign::Super ? -int(s.fontSize / 3 + 1)
                            : as.verticalAlign == VAlign::Length ? -int(as.verticalLength) : 0;
                    ext.Add(p.shift + own - p.baseline, p.shift + own - p.baseline + p.height);
                }
                }
            }
        }
        if (ext.top == INT_MAX)
            ext.Add(0, 0);
        int lineHeight = std::max(ext.bottom - ext.top, topBottomHeight);
        int baseline = y - ext.top;
        int left = L + offset;
        // Boxes of the inline elements on this line, then their content.
        std::vector<std::pair<const Piece*, int>> open;
        for (const Piece* p : openAtStart)
            open.emplace_back(p, left);
        auto fragment = [&](const Piece& p, int x0, int x1) {
            const ComputedStyle& es = *p.style;
            const FontMetrics& m = in.fonts.Metrics(p.font);
            int top = baseline + p.shift - m.ascent - es.padding[Top].Resolve(w) - es.Border(Top);
            int h = m.ascent + m.descent + es.padding[Top].Resolve(w) + es.padding[Bottom].Resolve(w) +
                    es.Border(Top) + es.Border(Bottom);
            Rect r{x0, top, std::max(0, x1 - x0), h};
            AddItem(DisplayItem::Box, *p.node, r, false);
            UniteBox(*p.node, r);
        };
        for (size_t k = 0; k < line.size(); ++k) {
            const Piece& p = pieces[line[k]];
            if (p.kind == Piece::Open) {
                open.emplace_back(&p, left + px[k] + p.style->margin[Left].Resolve(w));
            } else if (p.kind == Piece::Close && !open.empty()) {
                fragment(*open.back().first, open.back().second, left + px[k] + p.width - p.style->margin[Right].Resolve(w));
                open.pop_back();
            }
        }
        openAtStart.clear();
        for (auto& o : open) {
            fragment(*o.first, o.second, left + lineWidth);
            openAtStart.push_back(o.first);
        }
        for (size_t k = 0; k < line.size(); ++k) {
            const Piece& p = pieces[line[k]];
            if (p.kind == Piece::Word) {
                const FontMetrics& m = in.fonts.Metrics(p.font);
                DisplayItem item;
                item.kind = DisplayItem::Text;
                item.node = p.node->index;
                item.layer = static_cast<unsigned char>(layer >= 0 ? layer : 2);
                item.clip = clip;
                item.font = p.font;
                item.r = Rect{left + px[k], baseline + p.shift - m.ascent, p.width, m.ascent + m.descent};
                item.text = static_cast<int>(out.texts.size());
                for (size_t n = k + 1; n < line.size(); ++n) {
                    const Piece& next = pieces[line[n]];
                    if (next.kind == Piece::Word && next.node == p.node)
                        item.trail = std::max(0, px[n] - px[k] - p.width);
                    if (next.kind == Piece::Word || next.kind == Piece::Atomic)
                        break;
                }
                out.texts.push_back(p.text);
                out.items.push_back(item);
            } else if (p.kind == Piece::Atomic) {
                const ComputedStyle& as = *p.style;
                int top;
                switch (as.verticalAlign) {
                case VAlign::Top: top = y; break;
                case VAlign::Bottom: top = y + lineHeight - p.height; break;
                case VAlign::Middle: top = baseline + p.shift - sm.xHeight / 2 - p.height / 2; break;
                case VAlign::TextTop: top = baseline + p.shift - sm.ascent; break;
                case VAlign::TextBottom: top = baseline + p.shift + sm.descent - p.height; break;
                default: {
                    int own = as.verticalAlign == VAlign::Sub ? int(s.fontSize / 5 + 1)
                            : as.verticalAlign == VAlign::Super ? -int(s.fontSize / 3 + 1)
                            : as.verticalAlign == VAlign::Length ? -int(as.verticalLength) : 0;
                    top = baseline + p.shift + own - p.baseline;
                }
                }
                ShiftRange(p.from, p.to, left + px[k], top);
            }
        }
        if (!markers.empty() && (content || forced)) {
            ListMarker m = markers.back();
            markers.pop_back();
            const ComputedStyle& ms = *m.style;
            int font = Font(ms);
            const FontMetrics& fm = in.fonts.Metrics(font);
            DisplayItem item;
            item.kind = DisplayItem::Marker;
            item.node = m.node->index;
            item.layer = static_cast<unsigned char>(layer >= 0 ? layer : 2);
            item.clip = clip;
            item.font = font;
            item.text = static_cast<int>(out.texts.size());
            out.texts.push_back(m.text);
            if (m.text.empty()) {
                int size = std::max(3, int(ms.fontSize * 0.33f));
                int gap = int(ms.fontSize * 0.5f);
                item.r = Rect{m.contentX - gap - size, baseline - fm.xHeight / 2 - size / 2 - 1, size, size};
            } else {
                int mw = in.fonts.TextWidth(font, m.text);
                item.r = Rect{m.contentX - mw, baseline - fm.ascent, mw, fm.ascent + fm.descent};
            }
            if (ms.listInside)
                item.r.x += in.fonts.TextWidth(font, m.text) + int(ms.fontSize);
            out.items.push_back(item);
        }
        lastBaseline = baseline;
        y += lineHeight;
        firstLine = false;
        for (size_t d : deferred)
            PlaceFloat(*pieces[d].node, *pieces[d].style, x, w, y, bfc);
        deferred.clear();
    }
    flow.y = y;
}

} // namespace html
