// The narrowest width a box can take without overflowing (its longest word
// or widest image) and the width it takes without any line break: what
// table columns, floats and inline blocks are sized from.
#include <algorithm>
#include <cmath>

#include "LayoutEngine.h"
#include "html/style/TextTransform.h"
#include "TextBreaks.h"

namespace html {

void TableIntrinsic(LayoutEngine& eng, const Node& table, const ComputedStyle& s, int& minW, int& maxW);

namespace {

struct Widths {
    // line: the running unbroken line; word: the running unbreakable run.
    double min = 0, max = 0, line = 0, word = 0;
    double space = 0; // a collapsible space waiting for what follows it
    bool spaceJoins = false; // and whether it is part of the unbreakable run
    void EndWord()
    {
        min = std::max(min, word);
        word = 0;
    }
    void EndLine()
    {
        EndWord();
        max = std::max(max, line);
        line = 0;
        space = 0;
    }
    // Content after a collapsible space: the space counts only then.
    void Add(double width)
    {
        line += space + width;
        word += (spaceJoins ? space : 0) + width;
        space = 0;
    }
};

} // namespace

static void InlineWidths(LayoutEngine& eng, const Node& n, Widths& w, int depth);

static void TextWidths(LayoutEngine& eng, const std::wstring& text, const ComputedStyle& s, Widths& w)
{
    int font = eng.Font(s);
    const double space = eng.in.fonts.TextAdvance(font, L" ", 1);
    const bool keep = s.whiteSpace == WhiteSpace::Pre || s.whiteSpace == WhiteSpace::PreWrap;
    const bool wrap = WrapsLines(s.whiteSpace);
    SplitText(text, s.whiteSpace, [&](const TextSegment& g) {
        switch (g.kind) {
        case TextSegment::Newline:
            w.EndLine();
            break;
        case TextSegment::Tab: {
            const double stop = 8 * space;
            double tabs = 0;
            for (size_t k = 0; k < g.length && stop > 0; ++k)
                tabs += stop - std::fmod(w.line + w.space + tabs, stop);
            w.Add(tabs);
            if (wrap)
                w.EndWord();
            break;
        }
        case TextSegment::Space:
            if (keep) {
                w.Add(space * double(g.length));
                w.EndWord();
            } else if (w.line > 0 || w.word > 0) {
                w.space = space;
                w.spaceJoins = !wrap;
                if (wrap)
                    w.EndWord();
            }
            break;
        case TextSegment::Word: {
            if (wrap && (s.wordBreak == WordBreak::BreakAll || s.wordBreak == WordBreak::BreakWord ||
                         s.overflowWrap == OverflowWrap::Anywhere)) {
                // Breaks between any two letters: the narrowest is the widest letter.
                for (size_t k = 0; k < g.length; ++k) {
                    w.Add(eng.in.fonts.TextAdvance(font, text.data() + g.start + k, 1));
                    w.EndWord();
                }
                break;
            }
            w.Add(eng.in.fonts.TextAdvance(font, text.data() + g.start, g.length));
            if (g.breakAfter) {
                if (g.softHyphen)
                    w.word += eng.in.fonts.TextAdvance(font, L"-", 1);
                w.EndWord();
            }
            break;
        }
        }
    });
}

static void InlineWidths(LayoutEngine& eng, const Node& n, Widths& w, int depth)
{
    if (depth > MaxLayoutDepth)
        return;
    const ComputedStyle* s = eng.StyleOf(n);
    if (!s)
        return;
    if (n.kind == NodeKind::Text) {
        TextWidths(eng, s->textTransform == TextTransform::None ? n.text : TransformText(n.text, s->textTransform), *s, w);
        return;
    }
    if (!n.IsElement() || s->IsOutOfFlow())
        return;
    if (n.tag == L"br") {
        w.EndLine();
        return;
    }
    bool block = !s->IsFloating() && s->display != Display::Inline && s->display != Display::InlineBlock &&
                 s->display != Display::InlineTable && !eng.IsReplaced(n);
    if (block || s->IsFloating() || s->display != Display::Inline || eng.IsReplaced(n)) {
        int mn, mx;
        eng.Intrinsic(n, mn, mx);
        if (block) {
            w.EndLine();
            w.min = std::max(w.min, double(mn));
            w.max = std::max(w.max, double(mx));
        } else {
            w.EndWord();
            w.min = std::max(w.min, double(mn));
            w.Add(mx);
            w.word = 0;
        }
        return;
    }
    int edges = s->Border(Left) + s->Border(Right) + s->padding[Left].Resolve(0) + s->padding[Right].Resolve(0) +
                s->margin[Left].Resolve(0) + s->margin[Right].Resolve(0);
    if (edges)
        w.Add(edges);
    for (const auto& c : n.children)
        InlineWidths(eng, *c, w, depth + 1);
}

void LayoutEngine::ContentWidths(const Node& e, int& minW, int& maxW)
{
    Widths w;
    for (const auto& c : e.children)
        InlineWidths(*this, *c, w, depth);
    w.EndLine();
    // Up to the next pixel: a box as wide as its text must not break it.
    minW = static_cast<int>(std::ceil(w.min - 0.01));
    maxW = std::max(static_cast<int>(std::ceil(w.max - 0.01)), minW);
}

void LayoutEngine::Intrinsic(const Node& e, int& minW, int& maxW)
{
    auto& cached = intrinsicCache[e.index];
    if (cached.first >= 0) {
        minW = cached.first;
        maxW = cached.second;
        return;
    }
    minW = maxW = 0;
    const ComputedStyle* s = StyleOf(e);
    if (!s || depth > MaxLayoutDepth)
        return;
    ++depth;
    int edges = s->Border(Left) + s->Border(Right) + s->padding[Left].Resolve(0) + s->padding[Right].Resolve(0);
    int margins = s->margin[Left].Resolve(0) + s->margin[Right].Resolve(0);
    if (IsReplaced(e)) {
        int w, h;
        ReplacedSize(e, *s, 0, w, h);
        minW = maxW = w + edges + margins;
    } else if (s->display == Display::Table || s->display == Display::InlineTable) {
        TableIntrinsic(*this, e, *s, minW, maxW);
        minW += margins;
        maxW += margins;
    } else if (s->width.kind == Len::Px && s->display != Display::TableCell) {
        minW = maxW = s->width.Resolve(0) + (s->boxSizing == BoxSizing::BorderBox ? 0 : edges) + margins;
    } else if (s->flexContainer) {
        FlexIntrinsic(e, *s, minW, maxW);
        minW += edges + margins;
        maxW += edges + margins;
    } else {
        ContentWidths(e, minW, maxW);
        minW += edges + margins;
        maxW += edges + margins;
        if (s->minWidth.kind == Len::Px) {
            minW = std::max(minW, s->minWidth.Resolve(0) + edges + margins);
            maxW = std::max(maxW, minW);
        }
    }
    --depth;
    cached = std::make_pair(minW, maxW);
}

} // namespace html
