// Flexible boxes: a flex container's items sized from their bases by their
// grow and shrink factors, broken into lines when the container wraps, and
// placed by justify-content, align-items and align-self, with gaps and
// order. Text directly inside a container forms an anonymous item.
#include <algorithm>
#include <cmath>

#include "LayoutEngine.h"

namespace html {

struct FlexItem {
    const Node* node = nullptr;       // null for an anonymous item of text
    const ComputedStyle* style = nullptr;
    size_t first = 0, last = 0;       // an anonymous item's children of the container
    int order = 0;
    float base = 0, minMain = 0, maxMain = 1e9f; // content-box main sizes
    float target = 0;
    bool frozen = false;
    int edges = 0;                    // border and padding along the main axis
    int marginStart = 0, marginEnd = 0;
    bool autoStart = false, autoEnd = false;
    float grow = 0, shrink = 1;
    FlexAlign align = FlexAlign::Stretch;
    // After layout.
    Mark from{}, to{};
    int outerMain = 0, outerCross = 0; // margin box
    int mainPos = 0;
};

namespace {

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\n' || c == L'\t' || c == L'\r' || c == L'\f';
}

bool Blank(const Node& n)
{
    if (n.kind == NodeKind::Comment)
        return true;
    if (n.kind != NodeKind::Text)
        return false;
    for (wchar_t c : n.text)
        if (!IsSpace(c))
            return false;
    return true;
}


float Clamp(float v, float lo, float hi)
{
    return std::max(lo, std::min(v, hi));
}

// Grows or shrinks the line's items to fill avail, freezing those their
// min and max sizes hold back.
void ResolveFlexible(std::vector<FlexItem*>& line, float avail)
{
    float hypothetical = 0;
    for (FlexItem* it : line)
        hypothetical += Clamp(it->base, it->minMain, it->maxMain) + it->edges + it->marginStart + it->marginEnd;
    bool grow = hypothetical < avail;
    for (FlexItem* it : line) {
        it->target = it->base;
        float factor = grow ? it->grow : it->shrink;
        it->frozen = factor == 0 || (grow && it->base > it->maxMain) || (!grow && it->base < it->minMain);
        if (it->frozen)
            it->target = Clamp(it->base, it->minMain, it->maxMain);
    }
    // Each round freezes at least one item; long lines stop after a few rounds all the same.
    for (size_t round = 0; round <= std::min<size_t>(line.size(), 32); ++round) {
        float used = 0, factors = 0, scaled = 0;
        bool anyOpen = false;
        for (FlexItem* it : line) {
            used += (it->frozen ? it->target : it->base) + it->edges + it->marginStart + it->marginEnd;
            if (!it->frozen) {
                anyOpen = true;
                factors += grow ? it->grow : it->shrink;
                scaled += it->shrink * it->base;
            }
        }
        if (!anyOpen)
            break;
        float free = avail - used;
        // Factors summing below one hand out only that share of the space.
        if (factors < 1 && grow)
            free = std::min(free, free * factors);
        float violation = 0;
        for (FlexItem* it : line) {
            if (it->frozen)
                continue;
            float t = it->base;
            if (grow && factors > 0)
                t += free * it->grow / factors;
            else if (!grow && scaled > 0)
                t += free * it->shrink * it->base / scaled;
            float c = Clamp(t, it->minMain, it->maxMain);
            violation += c - t;
            it->target = c;
        }
        for (FlexItem* it : line) {
            if (it->frozen)
                continue;
            float t = it->target;
            bool atMin = t <= it->minMain + 0.01f, atMax = t >= it->maxMain - 0.01f;
            if (violation == 0 || (violation > 0 && atMin) || (violation < 0 && atMax))
                it->frozen = true;
        }
        if (violation == 0)
            break;
    }
}

// Where justify-content puts the first item and how much goes between items.
void Justify(FlexJustify j, float free, size_t count, float& start, float& between)
{
    start = between = 0;
    if (free <= 0 && j != FlexJustify::End && j != FlexJustify::Center)
        return;
    switch (j) {
    case FlexJustify::End: start = free; break;
    case FlexJustify::Center: start = free / 2; break;
    case FlexJustify::SpaceBetween: between = count > 1 ? free / (count - 1) : 0; break;
    case FlexJustify::SpaceAround:
        between = free / count;
        start = between / 2;
        break;
    case FlexJustify::SpaceEvenly:
        between = free / (count + 1);
        start = between;
        break;
    default: break;
    }
}

} // namespace

void LayoutEngine::FlexIntrinsic(const Node& e, const ComputedStyle& s, int& minW, int& maxW)
{
    const BoxExtras& x = s.Extras();
    bool row = x.flexDirection == FlexDirection::Row || x.flexDirection == FlexDirection::RowReverse;
    int gap = row ? x.columnGap.Resolve(0) : 0;
    minW = maxW = 0;
    int count = 0;
    for (const auto& c : e.children) {
        if (!c->IsElement()) {
            if (Blank(*c) || c->kind != NodeKind::Text)
                continue;
            const ComputedStyle* ts = StyleOf(*c);
            if (!ts)
                continue;
            int w = in.fonts.TextWidth(Font(*ts), c->text);
            maxW = row ? maxW + w : std::max(maxW, w);
            minW = std::max(minW, std::min(w, 200));
            ++count;
            continue;
        }
        const ComputedStyle* cs = StyleOf(*c);
        if (!cs || cs->IsOutOfFlow())
            continue;
        int mn, mx;
        Intrinsic(*c, mn, mx);
        if (row) {
            maxW += mx;
            minW = x.flexWrap ? std::max(minW, mn) : minW + mn;
        } else {
            maxW = std::max(maxW, mx);
            minW = std::max(minW, mn);
        }
        ++count;
    }
    if (count > 1) {
        maxW += gap * (count - 1);
        if (!x.flexWrap)
            minW += gap * (count - 1);
    }
}

int LayoutEngine::LayoutFlex(const Node& e, const ComputedStyle& s, int x, int y, int w, int cbH)
{
    const BoxExtras& cx = s.Extras();
    bool row = cx.flexDirection == FlexDirection::Row || cx.flexDirection == FlexDirection::RowReverse;
    bool reverse = cx.flexDirection == FlexDirection::RowReverse || cx.flexDirection == FlexDirection::ColumnReverse;
    int mainGap = row ? cx.columnGap.Resolve(w) : cx.rowGap.Resolve(w);
    int crossGap = row ? cx.rowGap.Resolve(w) : cx.columnGap.Resolve(w);

    // The items, in order.
    std::vector<FlexItem> items;
    for (size_t i = 0; i < e.children.size(); ++i) {
        const Node& c = *e.children[i];
        FlexItem it;
        if (!c.IsElement()) {
            if (Blank(c) || !StyleOf(c))
                continue;
            size_t j = i;
            while (j + 1 < e.children.size() && !e.children[j + 1]->IsElement())
                ++j;
            it.first = i;
            it.last = j + 1;
            it.style = &s;
            it.grow = 0;
            it.shrink = 1;
            int mn = 0, mx = 0;
            for (size_t k = i; k <= j; ++k) {
                const ComputedStyle* ts = StyleOf(*e.children[k]);
                if (!ts || e.children[k]->kind != NodeKind::Text)
                    continue;
                int font = Font(*ts);
                mx += in.fonts.TextWidth(font, e.children[k]->text);
                for (size_t a = 0; a < e.children[k]->text.size();) {
                    const std::wstring& t = e.children[k]->text;
                    while (a < t.size() && IsSpace(t[a]))
                        ++a;
                    size_t b = a;
                    while (b < t.size() && !IsSpace(t[b]))
                        ++b;
                    if (b > a)
                        mn = std::max(mn, in.fonts.TextWidth(font, t.data() + a, b - a));
                    a = b;
                }
            }
            it.base = row ? static_cast<float>(mx) : 0;
            it.minMain = row ? static_cast<float>(mn) : 0;
            it.align = cx.alignItems;
            items.push_back(it);
            i = j;
            continue;
        }
        const ComputedStyle* cs = StyleOf(c);
        if (!cs)
            continue;
        if (cs->IsOutOfFlow()) {
            QueueAbsolute(c, x, y);
            continue;
        }
        const BoxExtras& ix = cs->Extras();
        it.node = &c;
        it.style = cs;
        it.order = ix.order;
        it.grow = ix.flexGrow;
        it.shrink = ix.flexShrink;
        it.align = ix.alignSelf == FlexAlign::Auto ? cx.alignItems : ix.alignSelf;
        int ref = w; // percentages of padding and margins refer to the width either way
        int startSide = row ? Left : Top, endSide = row ? Right : Bottom;
        it.edges = cs->Border(startSide) + cs->Border(endSide) + cs->padding[startSide].Resolve(ref) +
                   cs->padding[endSide].Resolve(ref);
        it.autoStart = cs->margin[startSide].IsAuto();
        it.autoEnd = cs->margin[endSide].IsAuto();
        it.marginStart = cs->margin[startSide].Resolve(ref);
        it.marginEnd = cs->margin[endSide].Resolve(ref);
        bool borderBox = cs->boxSizing == BoxSizing::BorderBox;
        int boxExtra = borderBox ? it.edges : 0;
        const Len& size = row ? cs->width : cs->height;
        const Len& minSize = row ? cs->minWidth : cs->minHeight;
        const Len& maxSize = row ? cs->maxWidth : cs->maxHeight;
        int mainRef = row ? w : cbH;
        bool definiteBasis = !ix.flexBasis.IsAuto() && (ix.flexBasis.kind == Len::Px || mainRef >= 0);
        if (definiteBasis) {
            it.base = static_cast<float>(ix.flexBasis.Resolve(std::max(mainRef, 0)) - boxExtra);
        } else if (!size.IsAuto() && (size.kind == Len::Px || mainRef >= 0)) {
            it.base = static_cast<float>(size.Resolve(std::max(mainRef, 0)) - boxExtra);
        } else if (row) {
            int mn, mx;
            Intrinsic(c, mn, mx);
            it.base = static_cast<float>(mx - it.edges - it.marginStart - it.marginEnd);
        } else {
            it.base = -1; // the content's height, known once laid out
        }
        it.base = std::max(it.base, row ? 0.f : it.base);
        if (!maxSize.IsAuto() && (maxSize.kind == Len::Px || mainRef >= 0))
            it.maxMain = static_cast<float>(maxSize.Resolve(std::max(mainRef, 0)) - boxExtra);
        if (minSize.kind == Len::Px && minSize.v == 0 && !cs->overflowHidden && row) {
            // The automatic minimum: an item does not shrink below its longest word.
            int mn, mx;
            if (IsReplaced(c) || cs->display == Display::Table || cs->flexContainer) {
                Intrinsic(c, mn, mx);
                mn -= it.edges + it.marginStart + it.marginEnd;
            } else {
                ContentWidths(c, mn, mx);
            }
            float contentMin = static_cast<float>(mn);
            if (!size.IsAuto() && size.kind == Len::Px)
                contentMin = std::min(contentMin, static_cast<float>(size.Resolve(0) - boxExtra));
            it.minMain = std::max(0.f, contentMin);
        } else {
            it.minMain = std::max(0.f, static_cast<float>(minSize.Resolve(std::max(mainRef, 0)) - boxExtra));
        }
        it.maxMain = std::max(it.maxMain, it.minMain);
        items.push_back(it);
    }
    std::stable_sort(items.begin(), items.end(), [](const FlexItem& a, const FlexItem& b) { return a.order < b.order; });

    if (!row)
        return LayoutFlexColumn(e, s, items, x, y, w, cbH, reverse, mainGap);

    // Lines.
    std::vector<std::vector<FlexItem*>> lines;
    float used = 0;
    for (FlexItem& it : items) {
        float outer = Clamp(it.base, it.minMain, it.maxMain) + it.edges + it.marginStart + it.marginEnd;
        if (lines.empty() || (cx.flexWrap && !lines.back().empty() && used + mainGap + outer > w)) {
            lines.emplace_back();
            used = 0;
        } else if (!lines.back().empty()) {
            used += mainGap;
        }
        lines.back().push_back(&it);
        used += outer;
    }
    if (cx.wrapReverse)
        std::reverse(lines.begin(), lines.end());

    int lineY = y;
    for (size_t li = 0; li < lines.size(); ++li) {
        std::vector<FlexItem*>& line = lines[li];
        float gaps = static_cast<float>(mainGap * (line.size() - 1));
        ResolveFlexible(line, static_cast<float>(w) - gaps);
        // Lay each item out at its size; auto margins and justify-content place them after.
        float sum = gaps;
        int autoMargins = 0;
        for (FlexItem* it : line) {
            it->outerMain = static_cast<int>(std::lround(it->target)) + it->edges + it->marginStart + it->marginEnd;
            sum += static_cast<float>(it->outerMain);
            autoMargins += it->autoStart + it->autoEnd;
        }
        float free = static_cast<float>(w) - sum;
        float start = 0, between = 0, perAuto = 0;
        if (autoMargins > 0)
            perAuto = std::max(0.f, free) / autoMargins;
        else
            Justify(cx.justifyContent, free, line.size(), start, between);
        float at = start;
        int lineCross = 0;
        for (FlexItem* it : line) {
            at += it->autoStart ? perAuto : 0;
            int pos = static_cast<int>(std::lround(at));
            int mainX = reverse ? x + w - pos - it->outerMain : x + pos;
            it->from = Here();
            if (it->node) {
                // A table sizes itself within the width it is given; other boxes take theirs.
                bool table = it->style->display == Display::Table;
                if (!table)
                    forcedWidth = static_cast<int>(std::lround(it->target));
                int h = LayoutRoot(*it->node, *it->style, mainX, lineY, table ? it->outerMain : w, false, -1);
                forcedWidth = -1;
                it->outerCross = h;
            } else {
                Flow flow;
                flow.y = lineY;
                Bfc bfc;
                LayoutInlineRun(e, s, it->first, it->last, mainX, it->outerMain, flow, bfc);
                flow.Resolve();
                it->outerCross = flow.y - lineY;
            }
            it->to = Here();
            lineCross = std::max(lineCross, it->outerCross);
            at += static_cast<float>(it->outerMain) + (it->autoEnd ? perAuto : 0) + between + mainGap;
        }
        // A single line fills a container of a set height.
        if (lines.size() == 1 && cbH >= 0)
            lineCross = std::max(lineCross, cbH);
        for (FlexItem* it : line)
            AlignCross(*it, lineCross, true);
        lineY += lineCross + (li + 1 < lines.size() ? crossGap : 0);
    }
    return lineY;
}

// Moves or stretches an item within its line: across the row's height, or
// across the column's width.
void LayoutEngine::AlignCross(FlexItem& it, int lineCross, bool row)
{
    int free = lineCross - it.outerCross;
    if (!it.node)
        return;
    const ComputedStyle& s = *it.style;
    int startSide = row ? Top : Left, endSide = row ? Bottom : Right;
    bool autoStart = s.margin[startSide].IsAuto(), autoEnd = s.margin[endSide].IsAuto();
    int shift = 0;
    if (autoStart || autoEnd)
        shift = free <= 0 ? 0 : autoStart && autoEnd ? free / 2 : autoStart ? free : 0;
    else if (it.align == FlexAlign::Center)
        shift = free / 2;
    else if (it.align == FlexAlign::End)
        shift = free;
    else if (it.align == FlexAlign::Stretch && free > 0 && (row ? s.height : s.width).IsAuto()) {
        Rect& box = out.boxes[it.node->index];
        if (row)
            box.h += free;
        else
            box.w += free;
        for (size_t i = it.from.items; i < it.to.items; ++i)
            if (out.items[i].node == it.node->index && out.items[i].kind == DisplayItem::Box) {
                out.items[i].r = box;
                break;
            }
        it.outerCross = lineCross;
    }
    if (shift != 0)
        ShiftRange(it.from, it.to, row ? 0 : shift, row ? shift : 0);
}

int LayoutEngine::LayoutFlexColumn(const Node& e, const ComputedStyle& s, std::vector<FlexItem>& items, int x,
                                   int y, int w, int cbH, bool reverse, int gap)
{
    const BoxExtras& cx = s.Extras();
    // Each item at its width (the column's when it stretches), stacked at its content height first.
    int at = y;
    for (FlexItem& it : items) {
        it.from = Here();
        it.mainPos = at;
        if (it.node) {
            bool stretch = it.align == FlexAlign::Stretch && it.style->width.IsAuto() &&
                           !it.style->margin[Left].IsAuto() && !it.style->margin[Right].IsAuto();
            it.outerMain = LayoutRoot(*it.node, *it.style, x, at, w, !stretch, -1);
            const Rect& b = out.boxes[it.node->index];
            it.outerCross = b.w + it.style->margin[Left].Resolve(w) + it.style->margin[Right].Resolve(w);
            int content = b.h - it.edges;
            if (it.base < 0)
                it.base = static_cast<float>(content);
        } else {
            Flow flow;
            flow.y = at;
            Bfc bfc;
            LayoutInlineRun(e, s, it.first, it.last, x, w, flow, bfc);
            flow.Resolve();
            it.outerMain = flow.y - at;
            it.outerCross = w;
            it.base = static_cast<float>(it.outerMain);
        }
        it.to = Here();
        at += it.outerMain + gap;
    }
    std::vector<FlexItem*> line;
    for (FlexItem& it : items)
        line.push_back(&it);
    float gaps = static_cast<float>(gap * (items.empty() ? 0 : items.size() - 1));
    if (cbH >= 0) {
        ResolveFlexible(line, static_cast<float>(cbH) - gaps);
    } else {
        for (FlexItem* it : line)
            it->target = Clamp(it->base, it->minMain, it->maxMain);
    }
    // Heights as resolved, then the items moved into place.
    float sum = gaps;
    for (FlexItem* it : line) {
        if (it->node) {
            Rect& box = out.boxes[it->node->index];
            int h = static_cast<int>(std::lround(it->target)) + it->edges;
            if (h != box.h) {
                box.h = h;
                for (size_t i = it->from.items; i < it->to.items; ++i)
                    if (out.items[i].node == it->node->index && out.items[i].kind == DisplayItem::Box) {
                        out.items[i].r = box;
                        break;
                    }
            }
            it->outerMain = h + it->marginStart + it->marginEnd;
        }
        sum += static_cast<float>(it->outerMain);
    }
    float free = cbH >= 0 ? static_cast<float>(cbH) - sum : 0;
    float start = 0, between = 0;
    Justify(cx.justifyContent, free, line.size(), start, between);
    float pos = start;
    for (FlexItem* it : line) {
        int want = reverse ? y + std::max(cbH, static_cast<int>(sum)) - static_cast<int>(std::lround(pos)) - it->outerMain
                           : y + static_cast<int>(std::lround(pos));
        ShiftRange(it->from, it->to, 0, want - it->mainPos);
        AlignCross(*it, w, false);
        pos += static_cast<float>(it->outerMain) + between + gap;
    }
    return y + static_cast<int>(std::lround(std::max(sum, pos - gap)));
}

} // namespace html
