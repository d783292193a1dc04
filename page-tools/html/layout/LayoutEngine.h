#pragma once
// The layout engine's state and steps, shared by its block, inline, table
// and replaced-element parts. Positions are absolute document pixels; a box
// placed after its content was laid out moves that content with ShiftSince.
#include <climits>
#include <vector>

#include "PageLayout.h"

namespace html {

// Vertical margins waiting to collapse: the largest positive and the most
// negative, summed when they are resolved.
struct Margins {
    int pos = 0, neg = 0;
    void Add(int m)
    {
        if (m > pos) pos = m;
        if (m < neg) neg = m;
    }
    int Value() const { return pos + neg; }
};

// The flow of one block container: where its content stands and the
// margins that have not been placed yet.
struct Flow {
    int y = 0;
    Margins pending;
    std::vector<int*> waitingTops; // boxes whose top is where the next content lands
    int Resolve()
    {
        y += pending.Value();
        pending = Margins();
        for (int* t : waitingTops)
            *t = y;
        waitingTops.clear();
        return y;
    }
};

struct FloatBox {
    Rect r;       // margin box
    bool left;
};

// A block formatting context: the floats placed in it.
struct Bfc {
    std::vector<FloatBox> floats;
    int lowestTop = INT_MIN;  // a later float may not be placed above an earlier one
    // The free span [left, right) of [x, x + w) over rows y .. y + h.
    void Band(int y, int h, int x, int w, int& left, int& right) const;
    int ClearBelow(Clear c) const;
    int Bottom() const;
};

struct Mark {
    size_t items, boxes, clips;
};

struct FlexItem;

struct ListMarker {
    const Node* node = nullptr;
    const ComputedStyle* style = nullptr;
    std::wstring text;   // empty for the drawn shapes
    int contentX = 0;
};

class LayoutEngine {
public:
    explicit LayoutEngine(const LayoutInput& in);
    PageLayout Run();

    // Block level (BlockLayout.cpp).
    void LayoutBlock(const Node& e, const ComputedStyle& s, int cbX, int cbW, int cbH, Flow& flow, Bfc& bfc);
    void LayoutChildren(const Node& e, const ComputedStyle& s, int x, int w, int cbH, Flow& flow, Bfc& bfc);
    void LayoutContextBlock(const Node& e, const ComputedStyle& s, int cbX, int cbW, int cbH, int mt, int mb, Flow& flow,
                            Bfc& bfc);
    int ClampHeight(const ComputedStyle& s, int h, int cbH) const;
    // What border-box sizing takes off a set height: the vertical borders and padding.
    int VerticalSizing(const ComputedStyle& s, int cbW) const;
    void EmitTopMarker(const Node& e, const ComputedStyle& s, int contentTop);
    // A box that starts a formatting context of its own, laid out with its top-left margin corner at (x, y).
    int LayoutRoot(const Node& e, const ComputedStyle& s, int x, int y, int marginBoxW, bool shrink, int cbH);
    void PlaceFloat(const Node& e, const ComputedStyle& s, int cbX, int cbW, int y, Bfc& bfc);
    void QueueAbsolute(const Node& e, int staticX, int staticY);
    void LayoutAbsolutes(const Node* containingBlock);
    void ApplyRelative(const ComputedStyle& s, const Mark& m, int cbW);
    void UsedWidths(const ComputedStyle& s, int cbW, int& ml, int& w, int& mr, bool shrink, const Node& e);

    // Inline level (InlineLayout.cpp): lays out the inline children first..last of e as line boxes.
    void LayoutInlineRun(const Node& e, const ComputedStyle& s, size_t first, size_t last, int x, int w,
                         Flow& flow, Bfc& bfc);

    // Tables (TableLayout.cpp).
    void LayoutTable(const Node& e, const ComputedStyle& s, int x, int y, int availW, int& outW, int& outH);

    // Flexible boxes (FlexLayout.cpp): the items of a flex container in its content box at (x, y), w wide,
    // cbH its set content height or -1; returns the bottom of the content.
    int LayoutFlex(const Node& e, const ComputedStyle& s, int x, int y, int w, int cbH);
    int LayoutFlexColumn(const Node& e, const ComputedStyle& s, std::vector<FlexItem>& items, int x, int y, int w,
                         int cbH, bool reverse, int gap);
    void AlignCross(FlexItem& item, int lineCross, bool row);
    void FlexIntrinsic(const Node& e, const ComputedStyle& s, int& minW, int& maxW);

    // Replaced elements (Replaced.cpp): images and form controls.
    bool IsReplaced(const Node& e) const;
    void ReplacedSize(const Node& e, const ComputedStyle& s, int cbW, int& w, int& h);
    void EmitReplaced(const Node& e, const ComputedStyle& s, const Rect& borderBox);

    // Intrinsic widths (IntrinsicWidths.cpp), of the margin box.
    void Intrinsic(const Node& e, int& minW, int& maxW);
    // Of the content alone, whatever width the box itself is given.
    void ContentWidths(const Node& e, int& minW, int& maxW);

    // Shared helpers.
    const ComputedStyle* StyleOf(const Node& n) const { return in.styles.StyleOf(n); }
    int Font(const ComputedStyle& s) { return in.fonts.FontFor(s); }
    int LineHeightOf(const ComputedStyle& s);
    Mark Here() const { return Mark{out.items.size(), boxOrder.size(), out.clips.size()}; }
    void ShiftSince(const Mark& m, int dx, int dy) { ShiftRange(m, Here(), dx, dy); }
    void ShiftRange(const Mark& from, const Mark& to, int dx, int dy);
    int AddItem(DisplayItem::Kind kind, const Node& e, const Rect& r, bool block);
    void SetBox(const Node& e, const Rect& r);
    void UniteBox(const Node& e, const Rect& r);
    bool IsBlockLevel(const Node& n) const;
    bool IsInFlowInline(const Node& n) const;
    bool EstablishesContext(const ComputedStyle& s) const;
    std::wstring MarkerText(const Node& li, const ComputedStyle& s);

    const LayoutInput& in;
    PageLayout out;
    bool quirks = false;
    int layer = -1;          // forced layer inside floats and positioned boxes
    int clip = -1;
    int depth = 0;
    std::vector<int> boxOrder;
    std::vector<std::pair<int, int>> intrinsicCache; // by node index; min -1 when unknown
    struct AbsEntry {
        const Node* node;
        const Node* container;
        int staticX, staticY;
    };
    std::vector<AbsEntry> absolutes;
    std::vector<ListMarker> markers; // list items waiting for their first line
    std::vector<char> containsBlock; // by node index: an inline element holding block-level content
    int lastBaseline = INT_MIN;      // of the last line placed
    bool quirkTop = false, quirkBottom = false; // the next block drops its built-in top / bottom margin
    bool quirkTopInside = false; // the next block's children start at such an edge too
    int forcedWidth = -1; // a flex item's content width, taken by the next UsedWidths
};

constexpr int MaxLayoutDepth = 300;

} // namespace html
