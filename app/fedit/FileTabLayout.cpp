#include "FileTabLayout.h"

namespace {

constexpr int kFullTabWidth = 1815;
constexpr int kTabGap = 60;
constexpr int kMinTabWidth = 15;   // one pixel at the usual 15 twips a pixel

} // namespace

FileTabStrip LayoutFileTabs(int stripWidth, const bool (&visible)[kFileTabSlots], int active)
{
    FileTabStrip strip;
    int n = 0;
    for (bool v : visible)
        n += v ? 1 : 0;
    if (n == 0)
        return strip;
    int tabWidth = kFullTabWidth;
    if (stripWidth / n < kFullTabWidth + kTabGap)
        tabWidth = stripWidth / n - kTabGap;
    if (tabWidth < kMinTabWidth)
        tabWidth = kMinTabWidth;
    int x = 0;
    for (int i = 0; i < kFileTabSlots; ++i) {
        if (!visible[i])
            continue;
        const int r = x + tabWidth + 15;
        if (i == active) {
            strip.tabs.push_back({i, x, 60, tabWidth, kSelectedTabHeight});
            if (i != 0)
                strip.lines.push_back({x - 30, 435, x - 30, 50, TabEdge::Highlight});
            strip.lines.push_back({x, 45, r, 45, TabEdge::Highlight});
            strip.lines.push_back({r, 65, r, 435, TabEdge::Shadow});
            strip.lines.push_back({r + 15, 65, r + 15, 435, TabEdge::DarkShadow});
            strip.lines.push_back({r, 45, r, 65, TabEdge::DarkShadow});
        } else {
            strip.tabs.push_back({i, x, 135, tabWidth, 300});
            strip.lines.push_back({x, 120, r, 120, TabEdge::Highlight});
            // The tab left of the selected one leaves its right edge to it.
            if (i != active - 1) {
                strip.lines.push_back({r, 140, r, 435, TabEdge::Shadow});
                strip.lines.push_back({r + 15, 140, r + 15, 435, TabEdge::DarkShadow});
                strip.lines.push_back({r, 120, r, 140, TabEdge::DarkShadow});
            }
        }
        x += tabWidth + kTabGap;
    }
    return strip;
}
