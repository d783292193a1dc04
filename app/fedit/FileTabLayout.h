#pragma once
// Geometry of the file-tab strip, without a window: where each visible tab
// goes and which edge lines are drawn, in twips inside the strip.
#include <vector>

// System colour indexes of the edge lines (GetSysColor).
enum class TabEdge { Highlight = 20, Shadow = 16, DarkShadow = 21 };

struct FileTabPlace {
    int slot;
    int left, top, width, height;
};
struct FileTabLine {
    int x1, y1, x2, y2;
    TabEdge colour;
};
struct FileTabStrip {
    std::vector<FileTabPlace> tabs;
    std::vector<FileTabLine> lines;
};

constexpr int kFileTabSlots = 8;
constexpr int kSelectedTabHeight = 375;   // the selected tab is the one this high

// stripWidth: the form's scale width minus 690 (it may be zero or less on a
// narrow window); visible: which of the eight tabs show; active: the selected
// slot. No visible tab gives an empty strip; tabs never get a width below
// one pixel, however narrow the strip.
FileTabStrip LayoutFileTabs(int stripWidth, const bool (&visible)[kFileTabSlots], int active);
