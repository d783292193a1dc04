// Tables: the grid of rows and cells with their spans, automatic column
// widths from the cells' narrowest and widest layouts, and rows as tall as
// their tallest cells.
#include <algorithm>
#include <cmath>

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
    std::vector<const ComputedStyle*> colStyles; // by column, from <col> and <colgroup>; null where none
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
        case Display::TableColumnGroup: {
            // Its columns, or as many as its span says when it has none.
            bool any = false;
            for (const auto& col : c->children) {
                const ComputedStyle* cs = col->IsElement() ? eng.StyleOf(*col) : nullptr;
                if (!cs || cs->display != Display::TableColumn)
                    continue;
                any = true;
                int span = std::max(1, std::min(SpanAttr(*col, L"span"), MaxSpan));
                for (int k = 0; k < span && int(g.colStyles.size()) < MaxColumns; ++k)
                    g.colStyles.push_back(cs->width.IsAuto() ? s : cs);
            }
            int span = std::max(1, std::min(SpanAttr(*c, L"span"), MaxSpan));
            for (int k = 0; !any && k < span && int(g.colStyles.size()) < MaxColumns; ++k)
                g.colStyles.push_back(s);
            break;
        }
        case Display::TableColumn: {
            int span = std::max(1, std::min(SpanAttr(*c, L"span"), MaxSpan));
            for (int k = 0; k < span && int(g.colStyles.size()) < MaxColumns; ++k)
                g.colStyles.push_back(s);
            break;
        }
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
    std::vector<int> min, max;
    std::vector<int> fixed;       // a set width (of the cell's border box); 0 for none
    std::vector<float> percent;   // a percentage of the table's width; 0 for none
};

} // namespace

// The narrowest and widest widths of every column, from the cells that
// start in it and its <col>; spanning cells widen the columns they cover.
// A set width is what the column would like, not a floor: the column still
// shrinks to its content's narrowest when the table has no room.
static Columns ColumnWidths(LayoutEngine& eng, const Grid& g)
{
    Columns c;
    c.min.assign(g.cols, 0);
    c.max.assign(g.cols, 0);
    c.fixed.assign(g.cols, 0);
    c.percent.assign(g.cols, 0);
    for (int k = 0; k < g.cols && k < int(g.colStyles.size()); ++k) {
        const ComputedStyle* cs = g.colStyles[k];
        if (cs && cs->width.kind == Len::Px)
            c.fixed[k] = std::max(c.fixed[k], cs->width.Resolve(0));
        else if (cs && cs->width.kind == Len::Percent)
            c.percent[k] = std::max(c.percent[k], cs->width.v);
    }
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
    // A column of a set width would be that wide, however wide its content would go.
    for (int k = 0; k < g.cols; ++k)
        c.max[k] = c.fixed[k] ? std::max(c.min[k], c.fixed[k]) : std::max(c.max[k], c.min[k]);
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
    // Percentages past 100 in all are cut from the last columns.
    float left = 100;
    for (int k = 0; k < g.cols; ++k) {
        c.percent[k] = std::max(0.0f, std::min(c.percent[k], left));
        left -= c.percent[k];
    }
    return c;
}

namespace {

// The widest a table's columns would go: with percentages, as wide as
// those columns need for their share (all the room, where they ask for
// 100% beside other columns).
long long WidestColumns(const Columns& c, long long room)
{
    long long sum = 0, others = 0;
    float pct = 0;
    double needed = 0;
    for (size_t k = 0; k < c.max.size(); ++k) {
        sum += c.max[k];
        if (c.percent[k] > 0) {
            pct += c.percent[k];
            needed = std::max(needed, c.max[k] * 100.0 / c.percent[k]);
        } else {
            others += c.max[k];
        }
    }
    if (pct <= 0)
        return sum;
    if (pct >= 100)
        needed = others > 0 ? double(std::max(room, sum)) : needed;
    else
        needed = std::max(needed, others * 100.0 / (100 - pct));
    return std::max<long long>(sum, static_cast<long long>(std::min(needed, 1e7) + 0.5));
}

} // namespace

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
    long long sumMin = 0;
    for (int k = 0; k < g.cols; ++k)
        sumMin += c.min[k];
    minW = static_cast<int>(std::min<long long>(extra + sumMin, 1000000));
    // A column of 100% beside others asks for all the room there is.
    maxW = static_cast<int>(std::min<long long>(extra + WidestColumns(c, 1000000), 1000000));
    // A caption is as wide as the table, and the table at least as wide as the caption's narrowest.
    for (const Node* cap : g.captions) {
        int cmin, cmax;
        eng.Intrinsic(*cap, cmin, cmax);
        minW = std::max(minW, cmin);
        maxW = std::max(maxW, cmin);
    }
    if (s.width.kind == Len::Px) {
        minW = std::max(minW, s.width.Resolve(0));
        maxW = minW;
    }
}

namespace {

// The spacing around and between cells, and the table's own border and padding.
struct TableFrame {
    int hs = 0, vs = 0;        // between neighbouring cells (negative where collapsed borders overlap)
    int edgeH = 0, edgeV = 0;  // between the cells and the table's edge
    int bl = 0, br = 0, bt = 0, bb = 0, pl = 0, pr = 0, pt = 0, pb = 0;
};

TableFrame FrameOf(const ComputedStyle& s, const Grid& g, int availW)
{
    TableFrame f;
    f.hs = f.edgeH = Spacing(s, false);
    f.vs = f.edgeV = Spacing(s, true);
    f.bl = s.Border(Left), f.br = s.Border(Right), f.bt = s.Border(Top), f.bb = s.Border(Bottom);
    f.pl = s.padding[Left].Resolve(availW), f.pr = s.padding[Right].Resolve(availW);
    f.pt = s.padding[Top].Resolve(availW), f.pb = s.padding[Bottom].Resolve(availW);
    if (s.borderCollapse) {
        // Collapsed borders: neighbouring cells share the line between them.
        int shared = 0;
        for (const Cell& cell : g.cells)
            shared = std::max(shared, cell.style->Border(Left));
        f.hs = f.vs = -std::min(shared, 20);
        f.edgeH = f.edgeV = 0;
        f.pl = f.pr = f.pt = f.pb = 0;
    }
    return f;
}

long long Sum(const std::vector<int>& v)
{
    long long total = 0;
    for (int x : v)
        total += x;
    return total;
}

// Column widths adding up to target, as browsers share a table's width:
// first every column's narrowest; then the percentage columns grow to their
// share, then the columns of a set width to it, then the others to their
// widest, each step in proportion once the next would not fit; what is left
// goes to the columns of no set width, else to those of a set width, else
// to the percentage ones.
std::vector<double> DistributeColumns(const Columns& c, int target)
{
    size_t cols = c.min.size();
    std::vector<double> pct(cols), minW(cols), maxW(cols);
    for (size_t k = 0; k < cols; ++k) {
        minW[k] = c.min[k];
        maxW[k] = c.max[k];
        pct[k] = c.percent[k] > 0 ? std::max<double>(c.min[k], c.percent[k] * double(target) / 100) : 0;
    }
    // The four steps' widths for each column.
    auto step = [&](size_t k, int n) -> double {
        if (n == 0)
            return minW[k];
        if (c.percent[k] > 0)
            return pct[k];
        if (n == 1)
            return minW[k];
        if (c.fixed[k])
            return maxW[k];
        return n == 2 ? minW[k] : maxW[k];
    };
    double sums[4] = {0, 0, 0, 0};
    for (size_t k = 0; k < cols; ++k)
        for (int n = 0; n < 4; ++n)
            sums[n] += step(k, n);
    std::vector<double> widths(cols);
    if (target <= sums[0]) {
        for (size_t k = 0; k < cols; ++k)
            widths[k] = minW[k];
        return widths;
    }
    for (int n = 1; n < 4; ++n) {
        if (target > sums[n])
            continue;
        double f = sums[n] > sums[n - 1] ? (target - sums[n - 1]) / (sums[n] - sums[n - 1]) : 1;
        for (size_t k = 0; k < cols; ++k)
            widths[k] = step(k, n - 1) + (step(k, n) - step(k, n - 1)) * f;
        return widths;
    }
    double excess = target - sums[3];
    enum { Auto, Fixed, Percent };
    auto kindOf = [&](size_t k) { return c.percent[k] > 0 ? Percent : c.fixed[k] ? Fixed : Auto; };
    int takers = Percent;
    for (size_t k = 0; k < cols; ++k)
        takers = std::min(takers, int(kindOf(k)));
    double weights = 0;
    size_t count = 0;
    for (size_t k = 0; k < cols; ++k)
        if (kindOf(k) == takers) {
            weights += takers == Percent ? c.percent[k] : maxW[k];
            ++count;
        }
    for (size_t k = 0; k < cols; ++k) {
        widths[k] = step(k, 3);
        if (kindOf(k) != takers || count == 0)
            continue;
        double weight = takers == Percent ? c.percent[k] : maxW[k];
        widths[k] += weights > 0 ? excess * weight / weights : excess / double(count);
    }
    return widths;
}

// One table laid out: its width and columns, captions, rows, then the rows'
// final heights and the cells placed in them.
class TableBuilder {
public:
    TableBuilder(LayoutEngine& eng, const Node& e, const ComputedStyle& s, int availW)
        : eng(eng), e(e), s(s), availW(availW), g(BuildGrid(eng, e)), f(FrameOf(s, g, availW))
    {
    }

    void Run(int x, int y, int& outW, int& outH)
    {
        Columns c = ColumnWidths(eng, g);
        int nonContent = f.bl + f.br + f.pl + f.pr + (g.cols > 0 ? f.hs * (g.cols - 1) + 2 * f.edgeH : 0);
        int room = std::max(0, availW - s.margin[Left].Resolve(availW) - s.margin[Right].Resolve(availW));
        int used = UsedWidth(Sum(c.min) + nonContent, WidestColumns(c, std::max(0, room - nonContent)) + nonContent);
        for (const Node* cap : g.captions) {
            int cmin, cmax;
            eng.Intrinsic(*cap, cmin, cmax);
            used = std::max(used, cmin);
        }
        std::vector<double> widths = DistributeColumns(c, used - nonContent);
        int tx = x + LeftMargin(used);
        int top = y;
        for (const Node* cap : g.captions)
            if (!eng.StyleOf(*cap)->captionBottom)
                top += eng.LayoutRoot(*cap, *eng.StyleOf(*cap), tx, top, used, false, -1);
        eng.SetBox(e, Rect{tx, top, used, 0});
        int tableItem = eng.AddItem(DisplayItem::Box, e, Rect{}, true);
        colX.assign(g.cols + 1, 0);
        colX[0] = tx + f.bl + f.pl + f.edgeH;
        double edge = 0; // columns keep their fractions until they are placed
        for (int k = 0; k < g.cols; ++k) {
            edge += widths[k];
            colX[k + 1] = colX[0] + static_cast<int>(std::floor(edge + 0.5)) + f.hs * (k + 1);
        }
        LayoutRows(top + f.bt + f.pt + (g.rows.empty() ? 0 : f.edgeV));
        SpreadRowspans();
        StretchToHeight();
        int bottom = PlaceRows(top + f.bt + f.pt);
        FinishCells();
        Rect& tb = eng.out.boxes[e.index];
        tb.h = bottom - top + f.pb + f.bb;
        eng.out.items[tableItem].r = tb;
        int below = tb.Bottom();
        for (const Node* cap : g.captions)
            if (eng.StyleOf(*cap)->captionBottom)
                below += eng.LayoutRoot(*cap, *eng.StyleOf(*cap), tx, below, used, false, -1);
        // The element's box takes in its captions; the painted table box does not.
        tb.h = below - y;
        tb.y = y;
        outW = used;
        outH = tb.h;
    }

private:
    struct Placed {
        const Cell* cell;
        int item;
        Mark content, end;  // what the cell's content produced
        int height;         // the cell's height, at least its set height
        int contentHeight;
    };

    int UsedWidth(long long narrowest, long long widest)
    {
        int ml = s.margin[Left].Resolve(availW), mr = s.margin[Right].Resolve(availW);
        int room = std::max(0, availW - ml - mr);
        long long used = !s.width.IsAuto() ? std::max<long long>(s.width.Resolve(room), narrowest)
                                           : std::max<long long>(std::min<long long>(room, widest), narrowest);
        return static_cast<int>(std::min<long long>(used, 1000000));
    }

    int LeftMargin(int used)
    {
        bool autoL = s.margin[Left].IsAuto(), autoR = s.margin[Right].IsAuto();
        int ml = s.margin[Left].Resolve(availW), mr = s.margin[Right].Resolve(availW);
        const ComputedStyle* ps = e.parent ? eng.StyleOf(*e.parent) : nullptr;
        bool centred = !autoL && !autoR && ps && ps->textAlign == TextAlign::CenterBlocks && ml == 0 && mr == 0;
        if ((autoL && autoR) || centred)
            return std::max(0, (availW - used) / 2);
        if (autoL)
            return std::max(0, availW - used - mr);
        return ml;
    }

    Placed LayoutCell(const Cell& cell, int ry)
    {
        const ComputedStyle& cs = *cell.style;
        int cx = colX[cell.col];
        int cw = colX[cell.col + cell.colspan] - f.hs - cx;
        Rect box{cx, ry, cw, 0};
        eng.SetBox(*cell.node, box);
        int item = eng.AddItem(DisplayItem::Box, *cell.node, box, true);
        Mark content = eng.Here();
        int cbt = cs.Border(Top), cbb = cs.Border(Bottom);
        int cpt = cs.padding[Top].Resolve(cw), cpb = cs.padding[Bottom].Resolve(cw);
        int inner = cs.Border(Left) + cs.padding[Left].Resolve(cw);
        int innerW = std::max(0, cw - inner - cs.Border(Right) - cs.padding[Right].Resolve(cw));
        Flow flow;
        flow.y = ry + cbt + cpt;
        Bfc bfc;
        int savedClip = eng.clip;
        if (eng.depth < MaxLayoutDepth)
            eng.LayoutChildren(*cell.node, cs, cx + inner, innerW, -1, flow, bfc);
        eng.clip = savedClip;
        flow.Resolve();
        int bottom = std::max(flow.y, bfc.floats.empty() ? flow.y : bfc.Bottom());
        int contentH = bottom - ry + cpb + cbb;
        int h = contentH;
        if (cs.height.kind == Len::Px)
            h = std::max(h, cs.height.Resolve(0) + cbt + cbb + cpt + cpb);
        return Placed{&cell, item, content, eng.Here(), h, contentH};
    }

    // Each row as tall as its cells of one row; its cells laid out at its provisional top.
    void LayoutRows(int ry)
    {
        size_t nrows = g.rows.size();
        rowTop.assign(nrows, 0);
        rowH.assign(nrows, 0);
        rowItem.assign(nrows, -1);
        rowStart.assign(nrows, Mark{});
        rowEnd.assign(nrows, Mark{});
        std::vector<std::vector<const Cell*>> byRow(nrows);
        for (const Cell& cell : g.cells)
            byRow[cell.row].push_back(&cell);
        placed.reserve(g.cells.size());
        ++eng.depth;
        for (size_t r = 0; r < nrows; ++r) {
            const Node& row = *g.rows[r];
            rowTop[r] = ry;
            rowStart[r] = eng.Here();
            rowItem[r] = eng.AddItem(DisplayItem::Box, row, Rect{}, true);
            eng.SetBox(row, Rect{colX[0], ry, g.cols ? colX[g.cols] - f.hs - colX[0] : 0, 0});
            const ComputedStyle& rs = *eng.StyleOf(row);
            int h = rs.height.kind == Len::Px ? rs.height.Resolve(0) : 0;
            for (const Cell* cell : byRow[r]) {
                placed.push_back(LayoutCell(*cell, ry));
                if (cell->rowspan == 1)
                    h = std::max(h, placed.back().height);
            }
            rowH[r] = h;
            rowEnd[r] = eng.Here();
            ry += h + f.vs;
        }
        --eng.depth;
    }

    // A cell spanning rows taller than they are shares its excess among them.
    void SpreadRowspans()
    {
        for (const Placed& p : placed) {
            if (p.cell->rowspan == 1)
                continue;
            int have = f.vs * (p.cell->rowspan - 1);
            for (int k = p.cell->row; k < p.cell->row + p.cell->rowspan; ++k)
                have += rowH[k];
            int excess = p.height - have;
            for (int k = 0; excess > 0 && k < p.cell->rowspan; ++k) {
                int share = excess / (p.cell->rowspan - k);
                rowH[p.cell->row + k] += share;
                excess -= share;
            }
        }
    }

    // A table of a set height gives the extra to its rows, first to those of no set height.
    void StretchToHeight()
    {
        size_t nrows = g.rows.size();
        int wanted = -1;
        if (s.height.kind == Len::Px) {
            wanted = s.height.Resolve(0);
        } else if (s.height.kind == Len::Percent && eng.quirks) {
            const ComputedStyle* bs = eng.in.page.body ? eng.StyleOf(*eng.in.page.body) : nullptr;
            int margins = bs ? bs->margin[Top].Resolve(0) + bs->margin[Bottom].Resolve(0) : 0;
            wanted = s.height.Resolve(eng.in.viewportHeight - margins);
        }
        if (wanted <= 0 || nrows == 0)
            return;
        int total = f.bt + f.bb + f.pt + f.pb + 2 * f.edgeV + f.vs * static_cast<int>(nrows - 1);
        std::vector<char> set(nrows, 0);
        for (size_t r = 0; r < nrows; ++r) {
            total += rowH[r];
            set[r] = eng.StyleOf(*g.rows[r])->height.kind == Len::Px;
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

    // Rows moved to their final tops; returns the bottom of the last row's spacing.
    int PlaceRows(int top)
    {
        size_t nrows = g.rows.size();
        int y = top + (nrows ? f.edgeV : 0);
        for (size_t r = 0; r < nrows; ++r) {
            int dy = y - rowTop[r];
            if (dy != 0)
                eng.ShiftRange(rowStart[r], rowEnd[r], 0, dy);
            rowTop[r] = y;
            const Node& row = *g.rows[r];
            Rect& rb = eng.out.boxes[row.index];
            rb.h = rowH[r];
            eng.out.items[rowItem[r]].r = rb;
            if (g.groupOf[r])
                eng.UniteBox(*g.groupOf[r], rb);
            y += rowH[r] + f.vs;
        }
        return nrows ? y - f.vs + f.edgeV : y;
    }

    // Cells take the height of their rows; their content sits as vertical-align says.
    void FinishCells()
    {
        for (const Placed& p : placed) {
            int h = -f.vs;
            for (int k = p.cell->row; k < p.cell->row + p.cell->rowspan; ++k)
                h += rowH[k] + f.vs;
            Rect& b = eng.out.boxes[p.cell->node->index];
            b.h = h;
            eng.out.items[p.item].r = b;
            int free = h - p.contentHeight;
            VAlign va = p.cell->style->verticalAlign;
            int dy = va == VAlign::Middle ? free / 2 : va == VAlign::Bottom ? free : 0;
            if (dy > 0)
                eng.ShiftRange(p.content, p.end, 0, dy);
        }
    }

    LayoutEngine& eng;
    const Node& e;
    const ComputedStyle& s;
    int availW;
    Grid g;
    TableFrame f;
    std::vector<int> colX;
    std::vector<int> rowTop, rowH, rowItem;
    std::vector<Mark> rowStart, rowEnd;
    std::vector<Placed> placed;
};

} // namespace

void LayoutEngine::LayoutTable(const Node& e, const ComputedStyle& s, int x, int y, int availW, int& outW, int& outH)
{
    TableBuilder(*this, e, s, availW).Run(x, y, outW, outH);
}

} // namespace html
