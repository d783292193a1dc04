// Tables: the grid of rows and cells with their spans, automatic column
// widths from the cells' narrowest and widest layouts, and rows as tall as
// their tallest cells.
#include <algorithm>

#include "LayoutEngine.h"

namespace html {
namespace {

struct Cell {
    const Node* node;
    const ComputedStyle* style;
    int row, col, rowspan, colspan;
};

struct Grid {
    std::vector<const Node*> rows;
    std::vector<const Node*> groupOf;  // the row group of each row, or null
    std::vector<const Node*> captions;
    std::vector<Cell> cells;
    int cols = 0;
};

constexpr int MaxSpan = 1000;
constexpr int MaxColumns = 1000;

int SpanAttr(const Node& n, const wchar_t* name)
{
    const std::wstring* v = n.Attribute(name);
    if (!v)
        return 1;
    int k = _wtoi(v->c_str());
    return k;
}

} // namespace

namespace {

Grid BuildGrid(const LayoutEngine& eng, const Node& table)
{
    Grid g;
    std::vector<const Node*> heads, bodies, foots;
    for (const auto& c : table.children) {
        const ComputedStyle* s = c->IsElement() ? eng.StyleOf(*c) : nullptr;
        if (!s)
            continue;
        switch (s->display) {
        case Display::TableHeaderGroup: heads.push_back(c.get()); break;
        case Display::TableFooterGroup: foots.push_back(c.get()); break;
        case Display::TableRowGroup:
        case Display::TableRow: bodies.push_back(c.get()); break;
        case Display::TableCaption: g.captions.push_back(c.get()); break;
        default: break;
        }
    }
    // Header groups first and footer groups last, wherever they stand.
    std::vector<const Node*> groups = heads;
    groups.insert(groups.end(), bodies.begin(), bodies.end());
    groups.insert(groups.end(), foots.begin(), foots.end());
    for (const Node* grp : groups) {
        const ComputedStyle* gs = eng.StyleOf(*grp);
        if (gs->display == Display::TableRow) {
            g.rows.push_back(grp);
            g.groupOf.push_back(nullptr);
            continue;
        }
        for (const auto& r : grp->children) {
            const ComputedStyle* rs = r->IsElement() ? eng.StyleOf(*r) : nullptr;
            if (rs && rs->display == Display::TableRow) {
                g.rows.push_back(r.get());
                g.groupOf.push_back(grp);
            }
        }
    }
    std::vector<std::vector<char>> taken(g.rows.size());
    for (size_t r = 0; r < g.rows.size(); ++r) {
        int col = 0;
        for (const auto& c : g.rows[r]->children) {
            const ComputedStyle* cs = c->IsElement() ? eng.StyleOf(*c) : nullptr;
            if (!cs || cs->display != Display::TableCell || cs->IsFloating() || cs->IsOutOfFlow())
                continue;
            while (col < static_cast<int>(taken[r].size()) && taken[r][col])
                ++col;
            if (col >= MaxColumns)
                break;
            int colspan = std::max(1, std::min(SpanAttr(*c, L"colspan"), MaxSpan));
            colspan = std::min(colspan, MaxColumns - col);
            int rowspan = SpanAttr(*c, L"rowspan");
            int rowsLeft = static_cast<int>(g.rows.size() - r);
            rowspan = rowspan <= 0 ? rowsLeft : std::min(rowspan, rowsLeft);
            for (int rr = 0; rr < rowspan; ++rr) {
                auto& t = taken[r + rr];
                if (static_cast<int>(t.size()) < col + colspan)
                    t.resize(col + colspan, 0);
                for (int k = 0; k < colspan; ++k)
                    t[col + k] = 1;
            }
            g.cells.push_back(Cell{c.get(), cs, static_cast<int>(r), col, rowspan, colspan});
            g.cols = std::max(g.cols, col + colspan);
            col += colspan;
        }
    }
    return g;
}

struct Columns {
    std::vector<int> min, max, fixed;
    std::vector<float> percent;
};

} // namespace

// The narrowest and widest widths of every column, from the cells that
// start in it; spanning cells widen the columns they cover.
static Columns ColumnWidths(LayoutEngine& eng, const Grid& g)
{
    Columns c;
    c.min.assign(g.cols, 0);
    c.max.assign(g.cols, 0);
    c.fixed.assign(g.cols, 0);
    c.percent.assign(g.cols, 0);
    std::vector<const Cell*> spanning;
    for (const Cell& cell : g.cells) {
        int mn, mx;
        eng.Intrinsic(*cell.node, mn, mx);
        const ComputedStyle& s = *cell.style;
        int pad = s.Border(Left) + s.Border(Right) + s.padding[Left].Resolve(0) + s.padding[Right].Resolve(0);
        if (s.width.kind == Len::Px) {
            int w = s.width.Resolve(0) + pad;
            mx = std::max(mn, w);
            if (cell.colspan == 1)
                c.fixed[cell.col] = std::max(c.fixed[cell.col], w);
        } else if (s.width.kind == Len::Percent && cell.colspan == 1) {
            c.percent[cell.col] = std::max(c.percent[cell.col], s.width.v);
        }
        if (s.whiteSpace == WhiteSpace::NoWrap && s.width.kind != Len::Px)
            mn = mx;
        if (cell.colspan == 1) {
            c.min[cell.col] = std::max(c.min[cell.col], mn);
            c.max[cell.col] = std::max(c.max[cell.col], mx);
        } else {
            spanning.push_back(&cell);
        }
    }
    // A column of a set width keeps it while the table has room for it.
    for (int k = 0; k < g.cols; ++k) {
        c.min[k] = std::max(c.min[k], c.fixed[k]);
        c.max[k] = std::max(c.max[k], c.min[k]);
    }
    for (const Cell* cell : spanning) {
        int mn, mx;
        eng.Intrinsic(*cell->node, mn, mx);
        int spacing = static_cast<int>(cell->style->borderSpacingH) * (cell->colspan - 1);
        int haveMin = spacing, haveMax = spacing;
        for (int k = 0; k < cell->colspan; ++k) {
            haveMin += c.min[cell->col + k];
            haveMax += c.max[cell->col + k];
        }
        for (int k = 0; k < cell->colspan; ++k) {
            int col = cell->col + k;
            if (mn > haveMin)
                c.min[col] += (mn - haveMin) / cell->colspan + (k < (mn - haveMin) % cell->colspan ? 1 : 0);
            if (mx > haveMax)
                c.max[col] += (mx - haveMax) / cell->colspan + (k < (mx - haveMax) % cell->colspan ? 1 : 0);
            c.max[col] = std::max(c.max[col], c.min[col]);
        }
    }
    return c;
}

static int Spacing(const ComputedStyle& s, bool vertical)
{
    if (s.borderCollapse)
        return 0;
    return static_cast<int>((vertical ? s.borderSpacingV : s.borderSpacingH) + 0.5f);
}

void TableIntrinsic(LayoutEngine& eng, const Node& table, const ComputedStyle& s, int& minW, int& maxW)
{
    Grid g = BuildGrid(eng, table);
    Columns c = ColumnWidths(eng, g);
    int extra = s.Border(Left) + s.Border(Right) + s.padding[Left].Resolve(0) + s.padding[Right].Resolve(0) +
                Spacing(s, false) * (g.cols + 1);
    if (g.cols == 0)
        extra -= Spacing(s, false);
    minW = extra;
    maxW = extra;
    for (int k = 0; k < g.cols; ++k) {
        minW += c.min[k];
        maxW += c.max[k];
    }
    if (s.width.kind == Len::Px) {
        minW = std::max(minW, s.width.Resolve(0));
        maxW = minW;
    }
}

void LayoutEngine::LayoutTable(const Node& e, const ComputedStyle& s, int x, int y, int availW, int& outW, int& outH)
{
    Grid g = BuildGrid(*this, e);
    Columns c = ColumnWidths(*this, g);
    int hs = Spacing(s, false), vs = Spacing(s, true);
    int edgeH = hs, edgeV = vs; // spacing between the cells and the table's edge
    int bl = s.Border(Left), br = s.Border(Right), bt = s.Border(Top), bb = s.Border(Bottom);
    int pl = s.padding[Left].Resolve(availW), pr = s.padding[Right].Resolve(availW);
    int pt = s.padding[Top].Resolve(availW), pb = s.padding[Bottom].Resolve(availW);
    if (s.borderCollapse) {
        // Collapsed borders: neighbouring cells share the line between them.
        int shared = 0;
        for (const Cell& cell : g.cells)
            shared = std::max(shared, cell.style->Border(Left));
        hs = vs = -std::min(shared, 20);
        edgeH = edgeV = 0;
        pl = pr = pt = pb = 0;
    }
    int nonContent = bl + br + pl + pr + (g.cols > 0 ? hs * (g.cols - 1) + 2 * edgeH : 0);
    long long sumMin = 0, sumMax = 0;
    for (int k = 0; k < g.cols; ++k) {
        sumMin += c.min[k];
        sumMax += c.max[k];
    }
    bool autoL = s.margin[Left].IsAuto(), autoR = s.margin[Right].IsAuto();
    int ml = s.margin[Left].Resolve(availW), mr = s.margin[Right].Resolve(availW);
    int room = std::max(0, availW - ml - mr);
    int used;
    if (!s.width.IsAuto()) {
        used = std::max<long long>(s.width.Resolve(room), sumMin + nonContent);
    } else {
        used = static_cast<int>(std::min<long long>(room, sumMax + nonContent));
        used = static_cast<int>(std::max<long long>(used, sumMin + nonContent));
    }
    used = std::min(used, 1000000);
    // Column widths for the width the table takes.
    std::vector<int> widths(g.cols, 0);
    int target = used - nonContent;
    long long pctTotal = 0;
    for (int k = 0; k < g.cols; ++k)
        if (c.percent[k] > 0) {
            int pw = std::max(c.min[k], int(c.percent[k] * target / 100));
            c.min[k] = c.max[k] = pw;
            c.fixed[k] = pw;
            pctTotal += pw;
        }
    sumMin = sumMax = 0;
    for (int k = 0; k < g.cols; ++k) {
        sumMin += c.min[k];
        sumMax += c.max[k];
    }
    if (target <= sumMin) {
        widths = c.min;
    } else if (target <= sumMax) {
        long long span = sumMax - sumMin;
        long long give = target - sumMin, given = 0;
        for (int k = 0; k < g.cols; ++k) {
            long long share = span > 0 ? (long long)(c.max[k] - c.min[k]) * give / span : 0;
            widths[k] = c.min[k] + static_cast<int>(share);
            given += share;
        }
        for (int k = g.cols - 1; k >= 0 && given < give; --k, ++given)
            ++widths[k];
    } else {
        // Room beyond every column's widest: auto columns share it by their widths.
        long long base = 0;
        int autoCols = 0;
        for (int k = 0; k < g.cols; ++k)
            if (!c.fixed[k]) {
                base += c.max[k];
                ++autoCols;
            }
        long long give = target - sumMax, given = 0;
        for (int k = 0; k < g.cols; ++k) {
            widths[k] = c.max[k];
            long long share = 0;
            if (autoCols > 0 && !c.fixed[k])
                share = base > 0 ? c.max[k] * give / base : give / autoCols;
            else if (autoCols == 0)
                share = sumMax > 0 ? c.max[k] * give / sumMax : give / std::max(1, g.cols);
            widths[k] += static_cast<int>(share);
            given += share;
        }
        for (int k = g.cols - 1; k >= 0 && given < give; --k)
            if (autoCols == 0 || !c.fixed[k]) {
                ++widths[k];
                ++given;
            }
    }
    const ComputedStyle* ps = e.parent ? StyleOf(*e.parent) : nullptr;
    if ((autoL && autoR) || (!autoL && !autoR && ps && ps->textAlign == TextAlign::CenterBlocks && ml == 0 && mr == 0))
        ml = std::max(0, (availW - used) / 2);
    else if (autoL)
        ml = std::max(0, availW - used - mr);
    int tx = x + ml;
    int top = y;
    // Captions above the table.
    for (const Node* cap : g.captions) {
        int h = LayoutRoot(*cap, *StyleOf(*cap), tx, top, used, false, -1);
        top += h;
    }
    SetBox(e, Rect{tx, top, used, 0});
    int tableItem = AddItem(DisplayItem::Box, e, Rect{}, true);
    std::vector<int> colX(g.cols + 1, 0);
    colX[0] = tx + bl + pl + edgeH;
    for (int k = 0; k < g.cols; ++k)
        colX[k + 1] = colX[k] + widths[k] + hs;
    size_t nrows = g.rows.size();
    std::vector<int> rowTop(nrows, 0), rowH(nrows, 0);
    struct Placed {
        const Cell* cell;
        int item;
        Mark start;   // before the cell's own box
        Mark content; // its content
        Mark end;
        int height;
        int contentHeight;
    };
    std::vector<Placed> placed;
    placed.reserve(g.cells.size());
    std::vector<std::vector<const Cell*>> byRow(nrows);
    for (const Cell& cell : g.cells)
        byRow[cell.row].push_back(&cell);
    std::vector<int> rowItem(nrows, -1);
    std::vector<Mark> rowStart(nrows), rowEnd(nrows);
    int ry = top + bt + pt + (nrows ? edgeV : 0);
    ++depth;
    // Rows as tall as their cells of one row; cells spanning rows are dealt with after.
    for (size_t r = 0; r < nrows; ++r) {
        const Node& row = *g.rows[r];
        const ComputedStyle& rs = *StyleOf(row);
        rowTop[r] = ry;
        rowStart[r] = Here();
        rowItem[r] = AddItem(DisplayItem::Box, row, Rect{}, true);
        SetBox(row, Rect{colX[0], ry, g.cols ? colX[g.cols] - hs - colX[0] : 0, 0});
        int h = rs.height.kind == Len::Px ? rs.height.Resolve(0) : 0;
        for (const Cell* cell : byRow[r]) {
            const ComputedStyle& cs = *cell->style;
            int cx = colX[cell->col];
            int cw = colX[cell->col + cell->colspan] - hs - cx;
            Rect box{cx, ry, cw, 0};
            Mark start = Here();
            SetBox(*cell->node, box);
            int item = AddItem(DisplayItem::Box, *cell->node, box, true);
            Mark content = Here();
            int cbt = cs.Border(Top), cbb = cs.Border(Bottom), cbl = cs.Border(Left), cbr = cs.Border(Right);
            int cpt = cs.padding[Top].Resolve(cw), cpb = cs.padding[Bottom].Resolve(cw);
            int cpl = cs.padding[Left].Resolve(cw), cpr = cs.padding[Right].Resolve(cw);
            Flow flow;
            flow.y = ry + cbt + cpt;
            Bfc bfc;
            int savedClip = clip;
            if (depth < MaxLayoutDepth)
                LayoutChildren(*cell->node, cs, cx + cbl + cpl, std::max(0, cw - cbl - cbr - cpl - cpr), -1, flow, bfc);
            clip = savedClip;
            flow.Resolve();
            int bottom = std::max(flow.y, bfc.floats.empty() ? flow.y : bfc.Bottom());
            int ch = bottom - ry + cpb + cbb;
            int contentH = ch;
            if (cs.height.kind == Len::Px)
                ch = std::max(ch, cs.height.Resolve(0) + cbt + cbb + cpt + cpb);
            placed.push_back(Placed{cell, item, start, content, Here(), ch, contentH});
            if (cell->rowspan == 1)
                h = std::max(h, ch);
        }
        rowH[r] = h;
        rowEnd[r] = Here();
        ry += h + vs;
    }
    --depth;
    // A cell spanning rows taller than they are shares its excess among them.
    for (const Placed& p : placed) {
        if (p.cell->rowspan == 1)
            continue;
        int have = vs * (p.cell->rowspan - 1);
        for (int k = p.cell->row; k < p.cell->row + p.cell->rowspan; ++k)
            have += rowH[k];
        int excess = p.height - have;
        for (int k = 0; excess > 0 && k < p.cell->rowspan; ++k) {
            int share = excess / (p.cell->rowspan - k);
            rowH[p.cell->row + k] += share;
            excess -= share;
        }
    }
    // A table of a set height gives the extra to its rows, first to those of no set height.
    int wanted = -1;
    if (s.height.kind == Len::Px) {
        wanted = s.height.Resolve(0);
    } else if (s.height.kind == Len::Percent && quirks) {
        const ComputedStyle* bs = in.page.body ? StyleOf(*in.page.body) : nullptr;
        int margins = bs ? bs->margin[Top].Resolve(0) + bs->margin[Bottom].Resolve(0) : 0;
        wanted = s.height.Resolve(in.viewportHeight - margins);
    }
    if (wanted > 0 && nrows > 0) {
        int total = bt + bb + pt + pb + 2 * edgeV + vs * static_cast<int>(nrows - 1);
        std::vector<char> set(nrows, 0);
        for (size_t r = 0; r < nrows; ++r) {
            total += rowH[r];
            set[r] = StyleOf(*g.rows[r])->height.kind == Len::Px;
        }
        for (const Placed& p : placed)
            if (p.cell->rowspan == 1 && p.cell->style->height.kind == Len::Px)
                set[p.cell->row] = 1;
        int free = wanted - total;
        int open = static_cast<int>(std::count(set.begin(), set.end(), 0));
        for (size_t r = 0, k = 0; free > 0 && r < nrows; ++r) {
            if (open > 0 && set[r])
                continue;
            int n = open > 0 ? open : static_cast<int>(nrows);
            int share = free / (n - static_cast<int>(k));
            rowH[r] += share;
            free -= share;
            ++k;
        }
    }
    int finalY = top + bt + pt + (nrows ? edgeV : 0);
    for (size_t r = 0; r < nrows; ++r) {
        int dy = finalY - rowTop[r];
        if (dy != 0)
            ShiftRange(rowStart[r], rowEnd[r], 0, dy);
        rowTop[r] = finalY;
        const Node& row = *g.rows[r];
        Rect& rb = out.boxes[row.index];
        rb.h = rowH[r];
        out.items[rowItem[r]].r = rb;
        if (g.groupOf[r])
            UniteBox(*g.groupOf[r], rb);
        finalY += rowH[r] + vs;
    }
    ry = nrows ? finalY - vs + edgeV : finalY;
    // Cells take the height of their rows; their content sits as vertical-align says.
    for (const Placed& p : placed) {
        int h = -vs;
        for (int k = p.cell->row; k < p.cell->row + p.cell->rowspan; ++k)
            h += rowH[k] + vs;
        Rect& b = out.boxes[p.cell->node->index];
        b.h = h;
        out.items[p.item].r = b;
        int free = h - p.contentHeight;
        VAlign va = p.cell->style->verticalAlign;
        int dy = va == VAlign::Middle ? free / 2 : va == VAlign::Bottom ? free : 0;
        if (dy > 0)
            ShiftRange(p.content, p.end, 0, dy);
    }
    int height = ry - top + pb + bb;
    if (nrows == 0)
        height = bt + pt + pb + bb;
    Rect& tb = out.boxes[e.index];
    tb.h = height;
    out.items[tableItem].r = tb;
    // The element's box takes in its captions; the painted table box does not.
    tb.h = tb.Bottom() - y;
    tb.y = y;
    outW = used;
    outH = tb.h;
}

} // namespace html
