#pragma once
// Geometry of the file-tab strip, without a window: where each visible tab
// goes and which edge lines are drawn, in twips inside the strip.
#include <windows.h>

#include <vector>

struct FileTabPlace {
    int slot;
    int left, top, width, height;
};
struct FileTabLine {
    int x1, y1, x2, y2;
    int sysColor;   // COLOR_3DHIGHLIGHT, COLOR_BTNSHADOW or COLOR_3DDKSHADOW
};
struct FileTabStrip {
    std::vector<FileTabPlace> tabs;
    std::vector<FileTabLine> lines;
};

// stripWidth: the form's scale width minus 690; visible: which of the eight
// tabs show; active: the selected slot.
FileTabStrip LayoutFileTabs(int stripWidth, const bool (&visible)[8], int active);
