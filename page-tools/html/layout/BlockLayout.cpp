#include <algorithm>

#include "LayoutEngine.h"

namespace html {

void Bfc::Band(int y, int h, int x, int w, int& left, int& right) const
{
    left = x;
    right = x + w;
    for (const FloatBox& f : floats) {
        if (f.r.y >= y + h || f.r.Bottom() <= y || f.r.h <= 0)
            continue;
        if (f.left)
            left = std::max(left, f.r.Right());
        else
            right = std::min(right, f.r.x);
    }
}

int Bfc::ClearBelow(Clear c) const
{
    int y = INT_MIN;
    for (const FloatBox& f : floats)
        if (c == Clear::Both || (c == Clear::Left) == f.left)
            y = std::max(y, f.r.Bottom());
    return y;
}

int Bfc::Bottom() const
{
    return ClearBelow(Clear::Both);
}

LayoutEngine::LayoutEngine(const LayoutInput& input) : in(input)
{
    quirks = in.page.quirks == QuirksMode::Quirks;
}

int LayoutEngine::AddItem(DisplayItem::Kind kind, const Node& e, const Rect& r, bool block)
{
    DisplayItem item;
    item.kind = kind;
    item.node = e.index;
    item.r = r;
    item.clip = clip;
    item.layer = static_cast<unsigned char>(layer >= 0 ? layer : block ? 0 : 2);
    out.items.push_back(item);
    return static_cast<int>(out.items.size() - 1);
}

void LayoutEngine::SetBox(const Node& e, const Rect& r)
{
    Rect& b = out.boxes[e.index];
    if (b.w < 0)
        boxOrder.push_back(e.index);
    b = r;
}

void LayoutEngine::UniteBox(const Node& e, const Rect& r)
{
    Rect& b = out.boxes[e.index];
    if (b.w < 0) {
        SetBox(e, r);
        return;
    }
    int x2 = std::max(b.Right(), r.Right()), y2 = std::max(b.Bottom(), r.Bottom());
    b.x = std::min(b.x, r.x);
    b.y = std::min(b.y, r.y);
    b.w = x2 - b.x;
    b.h = y2 - b.y;
}

void LayoutEngine::ShiftRange(const Mark& m, const Mark& to, int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    for (size_t i = m.items; i < to.items; ++i) {
        out.items[i].r.x += dx;
        out.items[i].r.y += dy;
    }
    for (size_t i = m.boxes; i < to.boxes; ++i) {
        Rect& b = out.boxes[boxOrder[i]];
        b.x += dx;
        b.y += dy;
    }
    for (size_t i = m.clips; i < to.clips; ++i) {
        out.clips[i].r.x += dx;
        out.clips[i].r.y += dy;
    }
}

int LayoutEngine::LineHeightOf(const ComputedStyle& s)
{
    switch (s.lineHeight.kind) {
    case Len::Number: return int(s.lineHeight.v * s.fontSize + 0.5f);
    case Len::Px: return int(s.lineHeight.v + 0.5f);
    default: return in.fonts.Metrics(Font(s)).NormalLineHeight();
    }
}

bool LayoutEngine::IsBlockLevel(const Node& n) const
{
    if (!n.IsElement())
        return false;
    const ComputedStyle* s = StyleOf(n);
    if (!s || s->IsFloating() || s->IsOutOfFlow())
        return false;
    switch (s->display) {
    case Display::Inline: return containsBlock[n.index] != 0;
    case Display::InlineBlock:
    case Display::InlineTable: return false;
    default: return true; // blocks, list items, tables and table parts out of place
    }
}

bool LayoutEngine::EstablishesContext(const ComputedStyle& s) const
{
    return s.overflowHidden || s.IsFloating() || s.IsOutOfFlow() || s.flexContainer || s.display == Display::InlineBlock ||
           s.display == Display::TableCell || s.display == Display::TableCaption;
}

void LayoutEngine::UsedWidths(const ComputedStyle& s, int cbW, int& ml, int& w, int& mr, bool shrink, const Node& e)
{
    int mbp = s.Border(Left) + s.Border(Right) + s.padding[Left].Resolve(cbW) + s.padding[Right].Resolve(cbW);
    bool autoL = s.margin[Left].IsAuto(), autoR = s.margin[Right].IsAuto();
    ml = s.margin[Left].Resolve(cbW);
    mr = s.margin[Right].Resolve(cbW);
    if (forcedWidth >= 0) { // a flex item: its container has sized it
        w = forcedWidth;
        forcedWidth = -1;
        return;
    }
    int sizing = s.boxSizing == BoxSizing::BorderBox ? mbp : 0; // border-box sizes hold the padding and border
    if (!s.width.IsAuto()) {
        w = s.width.Resolve(cbW) - sizing;
    } else if (shrink) {
        int minW, maxW;
        Intrinsic(e, minW, maxW);
        int margins = ml + mr + mbp;
        w = std::max(std::min(maxW - margins, cbW - margins), minW - margins);
    } else {
        w = cbW - ml - mr - mbp;
    }
    if (!s.maxWidth.IsAuto())
        w = std::min(w, s.maxWidth.Resolve(cbW) - sizing);
    w = std::max(w, s.minWidth.Resolve(cbW) - sizing);
    w = std::max(w, 0);
    if (shrink)
        return;
    int free = cbW - w - mbp - ml - mr;
    const ComputedStyle* ps = e.parent ? StyleOf(*e.parent) : nullptr;
    if (autoL && autoR) {
        ml = std::max(0, (cbW - w - mbp) / 2);
        mr = std::max(0, cbW - w - mbp - ml);
    } else if (autoL) {
        ml = std::max(0, cbW - w - mbp - mr);
    } else if (autoR) {
        mr = std::max(0, cbW - w - mbp - ml);
    } else if (ps && ps->textAlign == TextAlign::CenterBlocks && !s.width.IsAuto() && free > 0 && ml == 0 &&
               mr == 0) {
        ml = free / 2; // the <center> element and align=center centre blocks of a set width
    }
}

void LayoutEngine::LayoutChildren(const Node& e, const ComputedStyle& s, int x, int w, int cbH, Flow& flow, Bfc& bfc)
{
    size_t n = e.children.size();
    size_t i = 0;
    // Quirks mode drops the built-in margins at the top of the body and of cells and at the bottom of cells.
    bool quirkyEdge = quirks && (&e == in.page.body || s.display == Display::TableCell);
    // ... and inside a first block whose top margin collapses with theirs.
    bool quirkyTop = quirkyEdge || quirkTopInside;
    quirkTopInside = false;
    size_t lastBlock = n;
    for (size_t k = n; quirkyEdge && s.display == Display::TableCell && k-- > 0;) {
        const Node& c = *e.children[k];
        if (IsBlockLevel(c)) {
            lastBlock = k;
            break;
        }
        if (c.kind != NodeKind::Text || c.text.find_first_not_of(L" \t\r\n") != std::wstring::npos)
            break;
    }
    bool atTop = true;
    while (i < n) {
        const Node& c = *e.children[i];
        if (IsBlockLevel(c)) {
            quirkTop = quirkyTop && atTop;
            quirkBottom = quirkyEdge && i == lastBlock;
            LayoutBlock(c, *StyleOf(c), x, w, cbH, flow, bfc);
            quirkTop = quirkBottom = false;
            atTop = false;
            ++i;
            continue;
        }
        size_t j = i;
        while (j < n && !IsBlockLevel(*e.children[j]))
            ++j;
        size_t itemsBefore = out.items.size();
        LayoutInlineRun(e, s, i, j, x, w, flow, bfc);
        atTop = atTop && out.items.size() == itemsBefore;
        i = j;
    }
}

// A box that starts its own formatting context: its margins do not collapse
// with its content, and it stays clear of the floats beside it.
void LayoutEngine::LayoutContextBlock(const Node& e, const ComputedStyle& s, int cbX, int cbW, int cbH, int mt, int mb,
                                      Flow& flow, Bfc& bfc)
{
    flow.pending.Add(mt);
    int y = flow.Resolve();
    int left = cbX, right = cbX + cbW;
    if (!bfc.floats.empty())
        bfc.Band(y, 1, cbX, cbW, left, right);
    if (s.display == Display::Table) {
        int tw = 0, th = 0;
        LayoutTable(e, s, left, y, right - left, tw, th);
    } else {
        LayoutRoot(e, s, left, y - s.margin[Top].Resolve(cbW), right - left, false, cbH);
    }
    flow.y = out.boxes[e.index].Bottom();
    flow.pending = Margins();
    flow.pending.Add(mb);
}

int LayoutEngine::ClampHeight(const ComputedStyle& s, int h, int cbH) const
{
    int sizing = VerticalSizing(s, 0);
    if (!s.maxHeight.IsAuto() && (s.maxHeight.kind == Len::Px || cbH >= 0))
        h = std::min(h, s.maxHeight.Resolve(cbH) - sizing);
    return std::max(h, s.minHeight.Resolve(std::max(cbH, 0)) - sizing);
}

int LayoutEngine::VerticalSizing(const ComputedStyle& s, int cbW) const
{
    if (s.boxSizing != BoxSizing::BorderBox)
        return 0;
    return s.Border(Top) + s.Border(Bottom) + s.padding[Top].Resolve(cbW) + s.padding[Bottom].Resolve(cbW);
}

// A list item without a line of its own shows its marker at its top.
void LayoutEngine::EmitTopMarker(const Node& e, const ComputedStyle& s, int contentTop)
{
    ListMarker m = markers.back();
    markers.pop_back();
    int font = Font(s);
    const FontMetrics& fm = in.fonts.Metrics(font);
    DisplayItem item;
    item.kind = DisplayItem::Marker;
    item.node = e.index;
    item.layer = static_cast<unsigned char>(layer >= 0 ? layer : 2);
    item.clip = clip;
    item.font = font;
    item.text = static_cast<int>(out.texts.size());
    out.texts.push_back(m.text);
    int mw = m.text.empty() ? int(s.fontSize * 0.35f) + 1 : in.fonts.TextWidth(font, m.text);
    item.r = Rect{m.contentX - mw - (m.text.empty() ? int(s.fontSize * 0.5f) : 0), contentTop, mw,
                  fm.ascent + fm.descent};
    out.items.push_back(item);
}

void LayoutEngine::LayoutBlock(const Node& e, const ComputedStyle& s, int cbX, int cbW, int cbH, Flow& flow, Bfc& bfc)
{
    if (depth >= MaxLayoutDepth)
        return;
    ++depth;
    Mark mark = Here();
    int savedLayer = layer;
    if (s.position == Position::Relative && layer < 3)
        layer = 3;
    int mt = s.margin[Top].Resolve(cbW), mb = s.margin[Bottom].Resolve(cbW);
    if (quirkTop && s.builtinMarginTop)
        mt = 0;
    if (quirkBottom && s.builtinMarginBottom)
        mb = 0;
    bool edgeTop = quirkTop;
    quirkTop = quirkBottom = false;
    bool context = EstablishesContext(s) || &e == in.page.html || s.display == Display::Table;
    if (s.clear != Clear::None) {
        int clearY = bfc.ClearBelow(s.clear);
        if (clearY != INT_MIN && flow.y + std::max(flow.pending.Value(), mt) < clearY) {
            flow.Resolve();
            flow.y = clearY;
            mt = 0;
        }
    }
    if (context) {
        LayoutContextBlock(e, s, cbX, cbW, cbH, mt, mb, flow, bfc);
        layer = savedLayer;
        --depth;
        return;
    }
    int ml, w, mr;
    UsedWidths(s, cbW, ml, w, mr, false, e);
    int bt = s.Border(Top), bb = s.Border(Bottom), bl = s.Border(Left), br = s.Border(Right);
    int pt = s.padding[Top].Resolve(cbW), pb = s.padding[Bottom].Resolve(cbW);
    int pl = s.padding[Left].Resolve(cbW), pr = s.padding[Right].Resolve(cbW);
    SetBox(e, Rect{cbX + ml, INT_MIN, bl + pl + w + pr + br, 0});
    int item = AddItem(DisplayItem::Box, e, Rect{}, true);
    if (s.display == Display::ListItem && s.listStyle != ListStyle::None)
        markers.push_back(ListMarker{&e, &s, MarkerText(e, s), cbX + ml + bl + pl});
    size_t markerCount = markers.size();
    Rect& box = out.boxes[e.index];
    flow.pending.Add(mt);
    if (bt || pt) {
        box.y = flow.Resolve();
        flow.y = box.y + bt + pt;
    } else {
        flow.waitingTops.push_back(&box.y);
    }
    int specified = -1;
    if (s.height.kind == Len::Px || (s.height.kind != Len::Auto && s.height.kind != Len::Number && cbH >= 0))
        specified = std::max(0, s.height.Resolve(cbH) - VerticalSizing(s, cbW));
    int childCbH = specified;
    quirkTopInside = edgeTop && !bt && !pt;
    LayoutChildren(e, s, box.x + bl + pl, w, childCbH, flow, bfc);
    // A set height of 0 still lets the margins collapse through an empty box.
    bool bottomFixed = bb || pb || specified > 0;
    bool collapsedThrough = false;
    if (box.y == INT_MIN) {
        flow.waitingTops.erase(std::remove(flow.waitingTops.begin(), flow.waitingTops.end(), &box.y),
                               flow.waitingTops.end());
        if (bottomFixed || s.minHeight.Resolve(cbH) > 0)
            box.y = flow.Resolve();
        else {
            box.y = flow.y + flow.pending.Value(); // an empty box: its margins collapse through it
            collapsedThrough = true;
        }
    }
    int contentTop = box.y + bt + pt;
    if (bottomFixed)
        flow.Resolve();
    int h = ClampHeight(s, specified >= 0 ? specified : std::max(0, flow.y - contentTop), cbH);
    if (quirks && &e == in.page.body && s.height.IsAuto()) // the quirky body fills the window
        h = std::max(h, in.viewportHeight - box.y - mb - bt - pt - pb - bb);
    box.h = bt + pt + h + pb + bb;
    if (!collapsedThrough && (bottomFixed || contentTop + h != flow.y)) {
        flow.y = box.y + box.h;
        flow.pending = Margins();
    }
    flow.pending.Add(mb);
    out.items[item].r = box;
    if (markers.size() == markerCount && !markers.empty() && markers.back().node == &e)
        EmitTopMarker(e, s, contentTop);
    if (s.position != Position::Static)
        LayoutAbsolutes(&e);
    if (s.position == Position::Relative)
        ApplyRelative(s, mark, cbW);
    layer = savedLayer;
    --depth;
}

int LayoutEngine::LayoutRoot(const Node& e, const ComputedStyle& s, int x, int y, int availW, bool shrink, int cbH)
{
    Mark mark = Here();
    int savedLayer = layer;
    if (s.position != Position::Static && s.position != Position::Relative)
        layer = 3 + std::max(0, std::min(s.zAuto ? 0 : s.zIndex, 200));
    else if (s.position == Position::Relative && layer < 3)
        layer = 3;
    int mt = s.margin[Top].Resolve(availW), mb = s.margin[Bottom].Resolve(availW);
    if (s.display == Display::Table || s.display == Display::InlineTable) {
        int w = 0, h = 0;
        LayoutTable(e, s, x, y + mt, availW, w, h);
        if (s.position == Position::Relative)
            ApplyRelative(s, mark, availW);
        layer = savedLayer;
        return mt + h + mb;
    }
    int ml, w, mr;
    UsedWidths(s, availW, ml, w, mr, shrink, e);
    int bt = s.Border(Top), bb = s.Border(Bottom), bl = s.Border(Left), br = s.Border(Right);
    int pt = s.padding[Top].Resolve(availW), pb = s.padding[Bottom].Resolve(availW);
    int pl = s.padding[Left].Resolve(availW), pr = s.padding[Right].Resolve(availW);
    Rect box{x + ml, y + mt, bl + pl + w + pr + br, 0};
    if (IsReplaced(e)) {
        int rw, rh;
        ReplacedSize(e, s, availW, rw, rh);
        box.w = bl + pl + rw + pr + br;
        box.h = bt + pt + rh + pb + bb;
        SetBox(e, box);
        EmitReplaced(e, s, box);
        layer = savedLayer;
        return mt + box.h + mb;
    }
    SetBox(e, box);
    int item = AddItem(DisplayItem::Box, e, box, true);
    int savedClip = clip;
    int clipIndex = -1;
    if (s.overflowHidden) {
        clipIndex = static_cast<int>(out.clips.size());
        out.clips.push_back(ClipRect{Rect{}, clip});
        clip = clipIndex;
    }
    if (s.display == Display::ListItem && s.listStyle != ListStyle::None)
        markers.push_back(ListMarker{&e, &s, MarkerText(e, s), box.x + bl + pl});
    int specified = -1;
    if (s.height.kind == Len::Px || (s.height.kind != Len::Auto && s.height.kind != Len::Number && cbH >= 0))
        specified = std::max(0, s.height.Resolve(cbH) - VerticalSizing(s, availW));
    Flow flow;
    flow.y = box.y + bt + pt;
    Bfc bfc;
    ++depth;
    if (depth < MaxLayoutDepth && s.flexContainer)
        flow.y = LayoutFlex(e, s, box.x + bl + pl, flow.y, w, specified);
    else if (depth < MaxLayoutDepth)
        LayoutChildren(e, s, box.x + bl + pl, w, specified, flow, bfc);
    --depth;
    flow.Resolve();
    int contentBottom = std::max(flow.y, bfc.floats.empty() ? flow.y : bfc.Bottom());
    int h = ClampHeight(s, specified >= 0 ? specified : std::max(0, contentBottom - (box.y + bt + pt)), cbH);
    if (quirks && (&e == in.page.html) && s.height.IsAuto())
        h = std::max(h, in.viewportHeight - mt - mb - bt - bb - pt - pb);
    box.h = bt + pt + h + pb + bb;
    out.boxes[e.index].h = box.h;
    out.items[item].r = box;
    if (clipIndex >= 0)
        out.clips[clipIndex].r = Rect{box.x + bl, box.y + bt, box.w - bl - br, box.h - bt - bb};
    clip = savedClip;
    if (!markers.empty() && markers.back().node == &e)
        markers.pop_back();
    if (s.position != Position::Static)
        LayoutAbsolutes(&e);
    if (s.position == Position::Relative)
        ApplyRelative(s, mark, availW);
    layer = savedLayer;
    return mt + box.h + mb;
}

void LayoutEngine::PlaceFloat(const Node& e, const ComputedStyle& s, int cbX, int cbW, int y, Bfc& bfc)
{
    Mark mark = Here();
    int savedLayer = layer;
    if (layer < 1)
        layer = 1;
    int h = LayoutRoot(e, s, cbX, y, cbW, true, -1);
    layer = savedLayer;
    const Rect& box = out.boxes[e.index];
    int ml = s.margin[Left].Resolve(cbW), mr = s.margin[Right].Resolve(cbW);
    int mw = std::max(0, ml + box.w + mr);
    int fy = std::max(y, bfc.lowestTop);
    if (s.clear != Clear::None)
        fy = std::max(fy, bfc.ClearBelow(s.clear));
    bool left = s.floating == FloatSide::Left;
    int L = cbX, R = cbX + cbW;
    for (size_t tries = 0; tries <= bfc.floats.size(); ++tries) {
        bfc.Band(fy, std::max(h, 1), cbX, cbW, L, R);
        if (R - L >= mw)
            break;
        int next = INT_MAX;
        for (const FloatBox& f : bfc.floats)
            if (f.r.y < fy + std::max(h, 1) && f.r.Bottom() > fy)
                next = std::min(next, f.r.Bottom());
        if (next == INT_MAX)
            break;
        fy = next;
    }
    int fx = left ? L : R - mw;
    ShiftSince(mark, fx - cbX, fy - y);
    bfc.floats.push_back(FloatBox{Rect{fx, fy, mw, h}, left});
    bfc.lowestTop = fy;
}

void LayoutEngine::QueueAbsolute(const Node& e, int staticX, int staticY)
{
    const ComputedStyle* s = StyleOf(e);
    const Node* container = nullptr;
    if (s && s->position == Position::Absolute) {
        for (const Node* p = e.parent; p && p->IsElement(); p = p->parent) {
            const ComputedStyle* ps = StyleOf(*p);
            if (ps && ps->position != Position::Static) {
                container = p;
                break;
            }
        }
    }
    absolutes.push_back(AbsEntry{&e, container, staticX, staticY});
}

void LayoutEngine::LayoutAbsolutes(const Node* container)
{
    for (size_t i = 0; i < absolutes.size();) {
        if (absolutes[i].container != container) {
            ++i;
            continue;
        }
        AbsEntry a = absolutes[i];
        absolutes.erase(absolutes.begin() + static_cast<long>(i));
        const ComputedStyle& s = *StyleOf(*a.node);
        Rect cb{0, 0, in.viewportWidth, in.viewportHeight};
        if (container) {
            const Rect& b = out.boxes[container->index];
            const ComputedStyle& cs = *StyleOf(*container);
            cb = Rect{b.x + cs.Border(Left), b.y + cs.Border(Top), b.w - cs.Border(Left) - cs.Border(Right),
                      b.h - cs.Border(Top) - cs.Border(Bottom)};
        }
        bool hasL = !s.offset[Left].IsAuto(), hasR = !s.offset[Right].IsAuto();
        bool hasT = !s.offset[Top].IsAuto(), hasB = !s.offset[Bottom].IsAuto();
        int L = s.offset[Left].Resolve(cb.w), R = s.offset[Right].Resolve(cb.w);
        int T = s.offset[Top].Resolve(cb.h), B = s.offset[Bottom].Resolve(cb.h);
        Mark mark = Here();
        bool stretch = s.width.IsAuto() && hasL && hasR;
        int avail = stretch ? cb.w - L - R : std::max(0, hasL ? cb.w - L : cb.w);
        int mh = LayoutRoot(*a.node, s, 0, 0, avail, !stretch, cb.h);
        if (s.height.IsAuto() && hasT && hasB) {
            // Stretched between top and bottom: the box takes the space between.
            Rect& b = out.boxes[a.node->index];
            int want = cb.h - T - B - s.margin[Top].Resolve(cb.w) - s.margin[Bottom].Resolve(cb.w);
            if (want > b.h) {
                b.h = want;
                for (size_t k = mark.items; k < out.items.size(); ++k)
                    if (out.items[k].node == a.node->index && out.items[k].kind == DisplayItem::Box)
                        out.items[k].r.h = want;
                mh = want + s.margin[Top].Resolve(cb.w) + s.margin[Bottom].Resolve(cb.w);
            }
        }
        const Rect& b = out.boxes[a.node->index];
        int mw = s.margin[Left].Resolve(cb.w) + b.w + s.margin[Right].Resolve(cb.w);
        int x = hasL ? cb.x + L : hasR ? cb.x + cb.w - R - mw : a.staticX;
        int y = hasT ? cb.y + T : hasB ? cb.y + cb.h - B - mh : a.staticY;
        ShiftSince(mark, x, y);
        i = 0; // the list may have changed below this entry
    }
}

void LayoutEngine::ApplyRelative(const ComputedStyle& s, const Mark& m, int cbW)
{
    int dx = !s.offset[Left].IsAuto() ? s.offset[Left].Resolve(cbW)
           : !s.offset[Right].IsAuto() ? -s.offset[Right].Resolve(cbW) : 0;
    int dy = s.offset[Top].kind == Len::Px ? s.offset[Top].Resolve(0)
           : s.offset[Bottom].kind == Len::Px ? -s.offset[Bottom].Resolve(0) : 0;
    ShiftSince(m, dx, dy);
}

PageLayout LayoutEngine::Run()
{
    const ParsedPage& page = in.page;
    out.viewportWidth = in.viewportWidth;
    out.viewportHeight = in.viewportHeight;
    out.boxes.assign(page.nodes.size(), Rect{0, 0, -1, -1});
    intrinsicCache.assign(page.nodes.size(), std::make_pair(-1, -1));
    containsBlock.assign(page.nodes.size(), 0);
    for (size_t i = page.nodes.size(); i-- > 0;) {
        const Node& n = *page.nodes[i];
        const ComputedStyle* s = n.IsElement() ? StyleOf(n) : nullptr;
        if (!s || !n.parent || !n.parent->IsElement())
            continue;
        bool block = !s->IsFloating() && !s->IsOutOfFlow() &&
                     (s->IsBlockLevel() || (s->display == Display::Inline && containsBlock[i]));
        const ComputedStyle* ps = StyleOf(*n.parent);
        if (block && ps && ps->display == Display::Inline)
            containsBlock[n.parent->index] = 1;
    }
    if (!page.html || !StyleOf(*page.html))
        return std::move(out);
    const ComputedStyle& hs = *StyleOf(*page.html);
    Flow flow;
    Bfc bfc;
    LayoutBlock(*page.html, hs, 0, in.viewportWidth, in.viewportHeight, flow, bfc);
    flow.Resolve();
    LayoutAbsolutes(nullptr);
    int w = in.viewportWidth, h = std::max(flow.y, 0);
    for (const DisplayItem& item : out.items) {
        if (out.clips.empty() || item.clip < 0) {
            w = std::max(w, item.r.Right());
            h = std::max(h, item.r.Bottom());
        }
    }
    out.width = std::min(w, 1000000);
    out.height = std::min(h, 10000000);
    std::stable_sort(out.items.begin(), out.items.end(),
                     [](const DisplayItem& a, const DisplayItem& b) { return a.layer < b.layer; });
    return std::move(out);
}

PageLayout LayoutPage(const LayoutInput& input)
{
    LayoutEngine engine(input);
    return engine.Run();
}

bool InsideClips(const PageLayout& layout, int clip, int x, int y)
{
    for (int c = clip, guard = 0; c >= 0 && guard < 1000; c = layout.clips[c].parent, ++guard)
        if (!layout.clips[c].r.Contains(x, y))
            return false;
    return true;
}

const Node* ElementAt(const PageLayout& layout, const ParsedPage& page, int x, int y)
{
    for (size_t i = layout.items.size(); i-- > 0;) {
        const DisplayItem& item = layout.items[i];
        if (item.node >= 0 && item.r.Contains(x, y) && InsideClips(layout, item.clip, x, y))
            return page.nodes[item.node];
    }
    return nullptr;
}

} // namespace html
