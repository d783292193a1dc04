// The narrowest width a box can take without overflowing (its longest word
// or widest image) and the width it takes without any line break: what
// table columns, floats and inline blocks are sized from.
#include <algorithm>

#include "LayoutEngine.h"

namespace html {

void TableIntrinsic(LayoutEngine& eng, const Node& table, const ComputedStyle& s, int& minW, int& maxW);

namespace {

struct Widths {
    int min = 0, max = 0, line = 0, word = 0; // line: the running unbroken line; word: the running unbreakable run
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
    }
};

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\n' || c == L'\t' || c == L'\r' || c == L'\f';
}

} // namespace

static void InlineWidths(LayoutEngine& eng, const Node& n, Widths& w, int depth);

static void TextWidths(LayoutEngine& eng, const std::wstring& text, const ComputedStyle& s, Widths& w)
{
    int font = eng.Font(s);
    bool pre = s.whiteSpace == WhiteSpace::Pre || s.whiteSpace == WhiteSpace::PreWrap;
    bool wrap = s.whiteSpace != WhiteSpace::Pre && s.whiteSpace != WhiteSpace::NoWrap;
    int space = eng.in.fonts.TextWidth(font, L" ", 1);
    size_t i = 0;
    while (i < text.size()) {
        if (IsSpace(text[i])) {
            if (text[i] == L'\n' && (pre || s.whiteSpace == WhiteSpace::PreLine)) {
                w.EndLine();
            } else {
                w.line += space;
                if (wrap)
                    w.EndWord();
                else
                    w.word += space;
            }
            ++i;
            if (!pre)
                while (i < text.size() && IsSpace(text[i]) && text[i] != L'\n')
                    ++i;
            continue;
        }
        size_t start = i;
        while (i < text.size() && !IsSpace(text[i]))
            ++i;
        int width = eng.in.fonts.TextWidth(font, text.data() + start, i - start);
        w.word += width;
        w.line += width;
    }
}

static void InlineWidths(LayoutEngine& eng, const Node& n, Widths& w, int depth)
{
    if (depth > MaxLayoutDepth)
        return;
    const ComputedStyle* s = eng.StyleOf(n);
    if (!s)
        return;
    if (n.kind == NodeKind::Text) {
        TextWidths(eng, n.text, *s, w);
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
            w.min = std::max(w.min, mn);
            w.max = std::max(w.max, mx);
        } else {
            w.EndWord();
            w.min = std::max(w.min, mn);
            w.line += mx;
            w.EndWord();
        }
        return;
    }
    int edges = s->Border(Left) + s->Border(Right) + s->padding[Left].Resolve(0) + s->padding[Right].Resolve(0) +
                s->margin[Left].Resolve(0) + s->margin[Right].Resolve(0);
    w.line += edges;
    w.word += edges;
    for (const auto& c : n.children)
        InlineWidths(eng, *c, w, depth + 1);
}

void LayoutEngine::ContentWidths(const Node& e, int& minW, int& maxW)
{
    Widths w;
    for (const auto& c : e.children)
        InlineWidths(*this, *c, w, depth);
    w.EndLine();
    minW = w.min;
    maxW = std::max(w.max, w.min);
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
