// Line boxes: the inline content of a block broken into lines, aligned,
// and placed beside the floats of its formatting context.
#include <algorithm>
#include <cmath>
#include <cwctype>

#include "LayoutEngine.h"
#include "html/style/TextTransform.h"
#include "TextBreaks.h"

namespace html {
namespace {

struct Piece {
    enum Kind : unsigned char { Word, Open, Close, Atomic, Break, Float, Abs } kind = Word;
    bool breakAfter = false;      // a line may break after it (and after its space)
    bool softHyphen = false;      // a word ending at a soft hyphen: "-" is drawn where the line breaks there
    bool blank = false;           // kept white space (a run of tabs): a width with nothing to draw
    bool emergency = false;       // a line may break after it only where it has no other place to (overflow-wrap)
    const Node* node = nullptr;   // the element; for a word, the element holding its text
    const ComputedStyle* style = nullptr;
    std::wstring text;
    double width = 0;
    double spaceWidth = 0;        // the space after it, which a line break there drops
    size_t spaceAt = 0;           // the piece the space stands before (an inline box may start after it)
    int font = -1;
    int shift = 0;                // baseline shift of vertical-align, downwards
    int height = 0, baseline = 0; // atomic: margin box height, baseline from its top
    Mark from{}, to{};            // atomic: what its layout produced
};

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

bool ParentWraps(const LayoutEngine& eng, const Node& n)
{
    const ComputedStyle* ps = n.parent ? eng.StyleOf(*n.parent) : nullptr;
    return ps && WrapsLines(ps->whiteSpace);
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
                Text(s->textTransform == TextTransform::None ? n.text
                                                            : TransformText(n.text, s->textTransform, InWord()),
                     *n.parent, *s, shift);
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
            column = 0;
            return;
        }
        if (n.tag == L"wbr" && s->display == Display::Inline) {
            if (Piece* last = LastContent())
                last->breakAfter = last->breakAfter || WrapsLines(s->whiteSpace);
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
        column += p.width;
        int childShift = shift + OwnShift(n, *s);
        for (const auto& c : n.children)
            Collect(*c, childShift, depth + 1);
        p.kind = Piece::Close;
        p.width = s->margin[Right].Resolve(cbWidth) + s->Border(Right) + s->padding[Right].Resolve(cbWidth);
        pieces.push_back(p);
        column += p.width;
    }

private:
    // Whether the text so far ends inside a word, across the inline elements around it ("foo<b>bar</b>").
    bool InWord() const
    {
        if (lastSpace)
            return false;
        for (size_t i = pieces.size(); i-- > 0;) {
            const Piece& p = pieces[i];
            if (p.kind == Piece::Open || p.kind == Piece::Close)
                continue;
            return p.kind == Piece::Word && p.spaceWidth == 0 && !p.text.empty() && std::iswalnum(p.text.back());
        }
        return false;
    }

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
        // Lines may break on either side of an image or an inline block.
        bool wrap = ParentWraps(eng, n);
        if (Piece* last = LastContent())
            last->breakAfter = last->breakAfter || wrap;
        p.breakAfter = wrap;
        pieces.push_back(p);
        column += p.width;
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

    void AddWord(const wchar_t* word, size_t length, const Node& owner, const ComputedStyle& s, int font, int shift)
    {
        // Very long words are cut into pieces that stay joined on a line.
        for (size_t at = 0; at < length; at += 4096) {
            Piece p;
            p.kind = Piece::Word;
            p.node = &owner;
            p.style = &s;
            p.font = font;
            p.shift = shift;
            p.text.assign(word + at, std::min<size_t>(4096, length - at));
            p.width = eng.in.fonts.TextAdvance(font, p.text.data(), p.text.size());
            column += p.width;
            pieces.push_back(std::move(p));
        }
        lastSpace = false;
    }

    // A word as one piece per letter, each a place to break: anywhere, or only where nothing else is.
    void AddLetters(const wchar_t* word, size_t length, const Node& owner, const ComputedStyle& s, int font, int shift,
                    bool anywhere)
    {
        for (size_t i = 0; i < length;) {
            size_t n = (i + 1 < length && IS_HIGH_SURROGATE(word[i]) && IS_LOW_SURROGATE(word[i + 1])) ? 2 : 1;
            AddWord(word + i, n, owner, s, font, shift);
            pieces.back().breakAfter = anywhere;
            pieces.back().emergency = !anywhere;
            i += n;
        }
    }

    // Kept white space that is not part of a word: one piece however long the run.
    void AddBlank(double width, const Node& owner, const ComputedStyle& s, int font, int shift, bool breakAfter)
    {
        Piece p;
        p.kind = Piece::Word;
        p.blank = true;
        p.node = &owner;
        p.style = &s;
        p.font = font;
        p.shift = shift;
        p.width = width;
        p.breakAfter = breakAfter;
        column += width;
        pieces.push_back(std::move(p));
        lastSpace = false;
    }

    void Text(const std::wstring& text, const Node& owner, const ComputedStyle& s, int shift)
    {
        int font = eng.Font(s);
        const double space = eng.in.fonts.TextAdvance(font, L" ", 1);
        const bool wrap = WrapsLines(s.whiteSpace);
        const bool keep = s.whiteSpace == WhiteSpace::Pre || s.whiteSpace == WhiteSpace::PreWrap;
        SplitText(text, s.whiteSpace, [&](const TextSegment& g) {
            switch (g.kind) {
            case TextSegment::Newline: {
                Piece p;
                p.kind = Piece::Break;
                p.node = &owner;
                p.style = &s;
                p.font = font;
                pieces.push_back(p);
                lastSpace = true;
                column = 0;
                break;
            }
            case TextSegment::Tab: {
                // A tab reaches the next stop; stops stand every eight spaces from the line's start.
                const double stop = 8 * space;
                double w = 0;
                for (size_t k = 0; k < g.length && stop > 0; ++k) {
                    double at = column + w;
                    w += stop - std::fmod(at, stop);
                }
                Piece* last = (!pieces.empty() && pieces.back().kind == Piece::Word) ? &pieces.back() : nullptr;
                if (last && s.whiteSpace == WhiteSpace::PreWrap) {
                    last->spaceWidth += w;
                    last->spaceAt = pieces.size();
                    last->breakAfter = true;
                    column += w;
                } else {
                    AddBlank(w, owner, s, font, shift, wrap);
                }
                break;
            }
            case TextSegment::Space:
                if (keep) {
                    double w = space * double(g.length);
                    Piece* last = (!pieces.empty() && pieces.back().kind == Piece::Word) ? &pieces.back() : nullptr;
                    if (last) {
                        last->spaceWidth += w;
                        last->spaceAt = pieces.size();
                        last->breakAfter = true;
                        column += w;
                    } else {
                        AddBlank(w, owner, s, font, shift, true);
                    }
                } else if (!lastSpace) {
                    if (Piece* last = LastContent()) {
                        last->spaceWidth = space;
                        last->spaceAt = pieces.size();
                        last->breakAfter = last->breakAfter || s.whiteSpace != WhiteSpace::NoWrap;
                        column += space;
                    }
                    lastSpace = true;
                }
                break;
            case TextSegment::Word: {
                const wchar_t* word = text.data() + g.start;
                // word-break: break-all breaks between any two letters; overflow-wrap lets a
                // word too long for any line break where it must.
                bool all = wrap && s.wordBreak == WordBreak::BreakAll;
                bool emergency = wrap && (s.overflowWrap != OverflowWrap::Normal || s.wordBreak == WordBreak::BreakWord);
                if (all || (emergency && eng.in.fonts.TextAdvance(font, word, g.length) > cbWidth))
                    AddLetters(word, g.length, owner, s, font, shift, all);
                else
                    AddWord(word, g.length, owner, s, font, shift);
                pieces.back().breakAfter = g.breakAfter;
                pieces.back().emergency = false;
                pieces.back().softHyphen = g.softHyphen;
                break;
            }
            }
        });
    }

    LayoutEngine& eng;
    int cbWidth;
    double column = 0; // how far the line's content reaches since the last line break, for tab stops
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

namespace {

bool IsContent(const Piece& p)
{
    return p.kind == Piece::Word || p.kind == Piece::Atomic;
}

// One line box: its pieces, where they stand, and its height around the baseline.
struct Line {
    std::vector<size_t> pieces;
    std::vector<double> px;   // each piece's left, from the line's left edge
    int left = 0, avail = 0;  // the free span beside the floats
    double width = 0;
    double align = 0;         // text-align's offset from left
    int gaps = 0;             // spaces between content pieces
    bool content = false, forced = false;
    size_t hyphenated = SIZE_MAX; // the word that ends the line at its soft hyphen
    int top = 0, height = 0, baseline = 0;
    // The line's left edge and a piece's left on it, in fractions of a pixel.
    double Left() const { return left + align; }
};

// Where the space after a content piece stands in a line: before the first
// piece at or after its spaceAt, so that an inline box opened after the
// space starts after it.
class Gaps {
public:
    // The space to add before piece index k, which is content when content is true.
    double Before(size_t k, bool content)
    {
        if (!pending || (!content && k < pending->spaceAt))
            return 0;
        double g = pending->spaceWidth;
        pending = nullptr;
        return g;
    }
    void After(const Piece& p) { pending = &p; }

private:
    const Piece* pending = nullptr;
};

// The lines of one run of inline content, built one after the other.
class LineBuilder {
public:
    LineBuilder(LayoutEngine& eng, const Node& e, const ComputedStyle& s, std::vector<Piece>& pieces, int x, int w,
                Bfc& bfc)
        : eng(eng), e(e), s(s), pieces(pieces), x(x), w(w), bfc(bfc)
    {
        const FontMetrics& m = eng.in.fonts.Metrics(eng.Font(s));
        strut = eng.LineHeightOf(s);
        strutA = m.ascent + (strut - m.ascent - m.descent) / 2;
        indent = s.textIndent.Resolve(w);
    }

    int Run(int y)
    {
        for (int guard = 0; next < pieces.size() && guard < 10000000; ++guard) {
            Line line;
            line.top = y;
            Fill(line);
            Position(line);
            Measure(line);
            EmitBoxes(line);
            EmitContent(line);
            EmitMarker(line);
            eng.lastBaseline = line.baseline;
            y = line.top + line.height;
            firstLine = false;
            for (size_t d : deferred)
                eng.PlaceFloat(*pieces[d].node, *pieces[d].style, x, w, y, bfc);
            deferred.clear();
        }
        return y;
    }

private:
    void Band(Line& line)
    {
        int right;
        bfc.Band(line.top, std::max(strut, 1), x, w, line.left, right);
        line.avail = right - line.left;
    }

    // Below the first float that ends, when the line is too narrow beside them; false when none is in the way.
    bool MoveBelowFloats(Line& line)
    {
        int below = INT_MAX;
        for (const FloatBox& f : bfc.floats)
            if (f.r.y < line.top + std::max(strut, 1) && f.r.Bottom() > line.top)
                below = std::min(below, f.r.Bottom());
        if (below == INT_MAX || below <= line.top)
            return false;
        line.top = below;
        Band(line);
        return true;
    }

    // Takes pieces while they fit, breaking at the last opportunity that allows it.
    void Fill(Line& line)
    {
        Band(line);
        double cx = firstLine ? indent : 0;
        const Piece* prev = nullptr;
        Gaps gaps;
        size_t start = next;
        struct BreakAt {
            size_t count = 0, next = 0;
            bool valid = false;
        } lastBreak, lastEmergency;
        while (next < pieces.size()) {
            Piece& p = pieces[next];
            if (p.kind == Piece::Break) {
                line.pieces.push_back(next++);
                line.forced = true;
                break;
            }
            if (p.kind == Piece::Float) {
                if (!line.content) {
                    eng.PlaceFloat(*p.node, *p.style, x, w, line.top, bfc);
                    Band(line);
                } else if (std::find(deferred.begin(), deferred.end(), next) == deferred.end()) {
                    deferred.push_back(next);
                }
                ++next;
                continue;
            }
            if (p.kind == Piece::Abs) {
                if (next >= absDone) {
                    eng.QueueAbsolute(*p.node, line.left + int(cx), line.top);
                    absDone = next + 1;
                }
                ++next;
                continue;
            }
            bool content = IsContent(p);
            if (content && prev && (prev->breakAfter || prev->emergency)) {
                BreakAt& at = prev->breakAfter ? lastBreak : lastEmergency;
                at.count = line.pieces.size();
                at.next = next;
                at.valid = true;
            }
            double gap = gaps.Before(next, content);
            // Text measured in 64ths may meet the edge exactly.
            if (content && cx + gap + p.width > line.avail + 0.005) {
                if (line.content && (lastBreak.valid || lastEmergency.valid)) {
                    const BreakAt& at = lastBreak.valid ? lastBreak : lastEmergency;
                    line.pieces.resize(at.count);
                    next = at.next;
                    break;
                }
                if (!line.content && !bfc.floats.empty() && line.avail < w && MoveBelowFloats(line))
                    continue;
            }
            cx += gap + p.width;
            if (content) {
                line.content = true;
                prev = &p;
                gaps.After(p);
            }
            line.pieces.push_back(next++);
        }
        // Floats met past the break come again with the next line.
        deferred.erase(std::remove_if(deferred.begin(), deferred.end(), [&](size_t d) { return d >= next; }),
                       deferred.end());
        // Opening tags at the end of a broken line go down with the word they open.
        while (!line.forced && next < pieces.size() && line.pieces.size() > 1 &&
               pieces[line.pieces.back()].kind == Piece::Open) {
            line.pieces.pop_back();
            --next;
        }
        if (line.pieces.empty() && next == start && next < pieces.size())
            line.pieces.push_back(next++); // always move on
        if (!line.forced && next < pieces.size()) {
            for (size_t k = line.pieces.size(); k-- > 0;) {
                const Piece& last = pieces[line.pieces[k]];
                if (IsContent(last)) {
                    if (last.softHyphen)
                        line.hyphenated = line.pieces[k];
                    break;
                }
            }
        }
    }

    // Horizontal places, then text-align (justify spreads the extra over the spaces).
    void Position(Line& line)
    {
        line.px.resize(line.pieces.size());
        double pos = firstLine ? indent : 0;
        Gaps gaps;
        const Piece* prev = nullptr;
        for (size_t k = 0; k < line.pieces.size(); ++k) {
            const Piece& p = pieces[line.pieces[k]];
            double gap = gaps.Before(line.pieces[k], IsContent(p));
            pos += gap;
            if (IsContent(p) && prev && prev->spaceWidth > 0)
                ++line.gaps;
            line.px[k] = pos;
            pos += p.width;
            if (line.pieces[k] == line.hyphenated)
                pos += HyphenWidth(p);
            if (IsContent(p)) {
                prev = &p;
                gaps.After(p);
            }
        }
        line.width = pos;
        double extra = line.avail - line.width;
        bool last = next >= pieces.size() || line.forced;
        double offset = s.textAlign == TextAlign::Right ? extra
                      : (s.textAlign == TextAlign::Center || s.textAlign == TextAlign::CenterBlocks) ? extra / 2 : 0;
        line.align = std::max(offset, 0.0);
        if (s.textAlign != TextAlign::Justify || last || line.gaps == 0 || extra <= 0)
            return;
        int seen = 0;
        double added = 0;
        prev = nullptr;
        for (size_t k = 0; k < line.pieces.size(); ++k) {
            const Piece& p = pieces[line.pieces[k]];
            if (IsContent(p) && prev && prev->spaceWidth > 0)
                added = extra * ++seen / line.gaps;
            line.px[k] += added;
            if (IsContent(p))
                prev = &p;
        }
    }

    double HyphenWidth(const Piece& p) const { return eng.in.fonts.TextAdvance(p.font, L"-", 1); }

    // An atomic piece's own vertical-align shift against its parent's baseline.
    int OwnShift(const ComputedStyle& as) const
    {
        switch (as.verticalAlign) {
        case VAlign::Sub: return int(s.fontSize / 5 + 1);
        case VAlign::Super: return -int(s.fontSize / 3 + 1);
        case VAlign::Length: return -int(as.verticalLength);
        default: return 0;
        }
    }

    // The top of an atomic piece's margin box below the baseline (negative: above).
    int AtomicTop(const Piece& p) const
    {
        const FontMetrics& m = eng.in.fonts.Metrics(eng.Font(s));
        switch (p.style->verticalAlign) {
        case VAlign::Middle: return p.shift - m.xHeight / 2 - p.height / 2;
        case VAlign::TextTop: return p.shift - m.ascent;
        case VAlign::TextBottom: return p.shift + m.descent - p.height;
        default: return p.shift + OwnShift(*p.style) - p.baseline;
        }
    }

    // The line's height from the pieces' extents around the baseline.
    void Measure(Line& line)
    {
        // In quirks mode the block's own line height counts only on lines with text of its own.
        bool ownText = false, forced = false, empty = true;
        for (size_t k : line.pieces) {
            const Piece& p = pieces[k];
            ownText = ownText || (p.kind == Piece::Word && (!eng.quirks || p.node == &e));
            forced = forced || p.kind == Piece::Break;
            empty = empty && p.kind != Piece::Word && p.kind != Piece::Atomic && p.kind != Piece::Break && p.width == 0;
        }
        if (empty) {
            // Only the ends of inline elements with nothing in them: the line takes no room.
            line.height = 0;
            line.baseline = line.top;
            return;
        }
        Extent ext;
        if (!eng.quirks || ownText || forced)
            ext.Add(-strutA, strut - strutA);
        int edgeAligned = 0; // top- and bottom-aligned pieces only make the line tall enough
        for (size_t k : line.pieces) {
            const Piece& p = pieces[k];
            if (p.kind == Piece::Word || (p.kind == Piece::Open && !eng.quirks)) {
                const FontMetrics& m = eng.in.fonts.Metrics(p.font);
                int lh = eng.LineHeightOf(*p.style);
                int a = m.ascent + (lh - m.ascent - m.descent) / 2;
                ext.Add(p.shift - a, p.shift + lh - a);
            } else if (p.kind == Piece::Atomic) {
                VAlign va = p.style->verticalAlign;
                if (va == VAlign::Top || va == VAlign::Bottom)
                    edgeAligned = std::max(edgeAligned, p.height);
                else
                    ext.Add(AtomicTop(p), AtomicTop(p) + p.height);
            }
        }
        if (ext.top == INT_MAX)
            ext.Add(0, 0);
        line.height = std::max(ext.bottom - ext.top, edgeAligned);
        line.baseline = line.top - ext.top;
    }

    static int Px(double v) { return static_cast<int>(std::floor(v + 0.5)); }

    void Fragment(const Line& line, const Piece& p, double x0, double x1)
    {
        const ComputedStyle& es = *p.style;
        const FontMetrics& m = eng.in.fonts.Metrics(p.font);
        int pt = es.padding[Top].Resolve(w), pb = es.padding[Bottom].Resolve(w);
        int left = Px(x0);
        Rect r{left, line.baseline + p.shift - m.ascent - pt - es.Border(Top), std::max(0, Px(x1) - left),
               m.ascent + m.descent + pt + pb + es.Border(Top) + es.Border(Bottom)};
        // A bare piece of an element on a line where it holds nothing (an
        // element that opens before a line break) is not part of its box;
        // it stands only for an element that has no other.
        if (x1 - x0 < 0.5 && !es.Border(Left) && !es.Border(Right) && !es.padding[Left].Resolve(w) &&
            !es.padding[Right].Resolve(w) && !HoldsContent(line, p)) {
            bare.emplace_back(&p, r);
            return;
        }
        eng.AddItem(DisplayItem::Box, *p.node, r, false);
        eng.UniteBox(*p.node, r);
    }

    // Whether a word or an atomic box of the element's stands on the line.
    bool HoldsContent(const Line& line, const Piece& p) const
    {
        for (size_t k : line.pieces) {
            const Piece& q = pieces[k];
            if (!IsContent(q))
                continue;
            for (const Node* n = q.kind == Piece::Word ? q.node : q.node->parent; n; n = n->parent)
                if (n == p.node)
                    return true;
        }
        return false;
    }

public:
    // The bare pieces of elements that have no box after all.
    void EmitBare()
    {
        for (const auto& b : bare)
            if (eng.out.boxes[b.first->node->index].w < 0) {
                eng.AddItem(DisplayItem::Box, *b.first->node, b.second, false);
                eng.UniteBox(*b.first->node, b.second);
            }
        bare.clear();
    }

private:

    // The boxes of the inline elements on the line, before their content.
    void EmitBoxes(const Line& line)
    {
        std::vector<std::pair<const Piece*, double>> open;
        for (const Piece* p : openAtStart)
            open.emplace_back(p, line.Left());
        for (size_t k = 0; k < line.pieces.size(); ++k) {
            const Piece& p = pieces[line.pieces[k]];
            if (p.kind == Piece::Open) {
                open.emplace_back(&p, line.Left() + line.px[k] + p.style->margin[Left].Resolve(w));
            } else if (p.kind == Piece::Close && !open.empty()) {
                Fragment(line, *open.back().first, open.back().second,
                         line.Left() + line.px[k] + p.width - p.style->margin[Right].Resolve(w));
                open.pop_back();
            }
        }
        openAtStart.clear();
        for (auto& o : open) {
            Fragment(line, *o.first, o.second, line.Left() + line.width);
            openAtStart.push_back(o.first);
        }
    }

    void EmitWord(const Line& line, size_t k)
    {
        const Piece& p = pieces[line.pieces[k]];
        // Kept white space is drawn only where a decoration runs through it.
        if (p.blank && !p.style->decorationsInEffect)
            return;
        const FontMetrics& m = eng.in.fonts.Metrics(p.font);
        DisplayItem item;
        item.kind = DisplayItem::Text;
        item.node = p.node->index;
        item.layer = static_cast<unsigned char>(eng.layer >= 0 ? eng.layer : 2);
        item.clip = eng.clip;
        item.font = p.font;
        bool hyphen = line.pieces[k] == line.hyphenated;
        double x0 = line.Left() + line.px[k], x1 = x0 + p.width + (hyphen ? HyphenWidth(p) : 0);
        int left = Px(x0);
        item.r = Rect{left, line.baseline + p.shift - m.ascent, Px(x1) - left, m.ascent + m.descent};
        item.text = static_cast<int>(eng.out.texts.size());
        for (size_t n = k + 1; n < line.pieces.size(); ++n) {
            const Piece& after = pieces[line.pieces[n]];
            if (after.kind == Piece::Word && after.node == p.node)
                item.trail = std::max(0, Px(line.Left() + line.px[n]) - Px(x1));
            if (IsContent(after))
                break;
        }
        eng.out.texts.push_back(hyphen ? p.text + L"-" : p.text);
        eng.out.items.push_back(item);
    }

    void EmitContent(const Line& line)
    {
        for (size_t k = 0; k < line.pieces.size(); ++k) {
            const Piece& p = pieces[line.pieces[k]];
            if (p.kind == Piece::Word) {
                EmitWord(line, k);
            } else if (p.kind == Piece::Break && p.node && p.node->Is(L"br") && p.font >= 0) {
                // A <br> has a place of no width where it ends the line, as tall as its text.
                const FontMetrics& m = eng.in.fonts.Metrics(p.font);
                eng.SetBox(*p.node, Rect{Px(line.Left() + line.px[k]), line.baseline + p.shift - m.ascent, 0,
                                         m.ascent + m.descent});
            } else if (p.kind == Piece::Atomic) {
                VAlign va = p.style->verticalAlign;
                int top = va == VAlign::Top ? line.top
                        : va == VAlign::Bottom ? line.top + line.height - p.height
                        : line.baseline + AtomicTop(p);
                eng.ShiftRange(p.from, p.to, Px(line.Left() + line.px[k]), top);
            }
        }
    }

    // The marker of a list item waiting for its first line.
    void EmitMarker(const Line& line)
    {
        if (eng.markers.empty() || (!line.content && !line.forced))
            return;
        ListMarker m = eng.markers.back();
        eng.markers.pop_back();
        const ComputedStyle& ms = *m.style;
        int font = eng.Font(ms);
        const FontMetrics& fm = eng.in.fonts.Metrics(font);
        DisplayItem item;
        item.kind = DisplayItem::Marker;
        item.node = m.node->index;
        item.layer = static_cast<unsigned char>(eng.layer >= 0 ? eng.layer : 2);
        item.clip = eng.clip;
        item.font = font;
        item.text = static_cast<int>(eng.out.texts.size());
        eng.out.texts.push_back(m.text);
        if (m.text.empty()) {
            int size = std::max(3, int(ms.fontSize * 0.33f));
            int gap = int(ms.fontSize * 0.5f);
            item.r = Rect{m.contentX - gap - size, line.baseline - fm.xHeight / 2 - size / 2 - 1, size, size};
        } else {
            int mw = eng.in.fonts.TextWidth(font, m.text);
            item.r = Rect{m.contentX - mw, line.baseline - fm.ascent, mw, fm.ascent + fm.descent};
        }
        if (ms.listInside)
            item.r.x += eng.in.fonts.TextWidth(font, m.text) + int(ms.fontSize);
        eng.out.items.push_back(item);
    }

    LayoutEngine& eng;
    const Node& e;
    const ComputedStyle& s;
    std::vector<Piece>& pieces;
    int x, w;
    Bfc& bfc;
    int strut = 0, strutA = 0, indent = 0;
    size_t next = 0;
    bool firstLine = true;
    std::vector<const Piece*> openAtStart; // inline elements going on from the line before
    std::vector<size_t> deferred;          // floats met after the line had content
    size_t absDone = 0;                    // positioned boxes before this piece are queued
    std::vector<std::pair<const Piece*, Rect>> bare;
};

} // namespace

void LayoutEngine::LayoutInlineRun(const Node& e, const ComputedStyle& s, size_t first, size_t last, int x, int w,
                                   Flow& flow, Bfc& bfc)
{
    InlineCollector col(*this, w);
    for (size_t i = first; i < last; ++i)
        col.Collect(*e.children[i], 0, depth);
    std::vector<Piece>& pieces = col.pieces;
    bool hasContent = false;
    for (const Piece& p : pieces)
        hasContent = hasContent || IsContent(p) || p.kind == Piece::Break;
    if (!hasContent) {
        // Only floats and positioned boxes: they stand where the next line would.
        int y = flow.y + flow.pending.Value();
        for (const Piece& p : pieces) {
            if (p.kind == Piece::Float)
                PlaceFloat(*p.node, *p.style, x, w, y, bfc);
            else if (p.kind == Piece::Abs)
                QueueAbsolute(*p.node, x, y);
            else if (p.kind == Piece::Open && out.boxes[p.node->index].w < 0)
                SetBox(*p.node, Rect{x, y, 0, 0}); // an empty anchor still has a place to jump to
        }
        return;
    }
    LineBuilder lines(*this, e, s, pieces, x, w, bfc);
    flow.y = lines.Run(flow.Resolve());
    lines.EmitBare();
}

} // namespace html
