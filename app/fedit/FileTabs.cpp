#include "FileTabs.h"

#include "fedit.h"

FileTabStrip LayoutFileTabs(int stripWidth, const bool (&visible)[8], int active)
{
    FileTabStrip strip;
    int n = 0;
    for (bool v : visible)
        n += v ? 1 : 0;
    if (n == 0)
        return strip;
    int tabWidth = 1815;
    if (stripWidth / n < 1875)
        tabWidth = stripWidth / n - 60;
    int x = 0;
    for (int i = 0; i < 8; ++i) {
        if (!visible[i])
            continue;
        const int r = x + tabWidth + 15;
        if (i == active) {
            strip.tabs.push_back({i, x, 60, tabWidth, 375});
            if (i != 0)
                strip.lines.push_back({x - 30, 435, x - 30, 50, COLOR_3DHIGHLIGHT});
            strip.lines.push_back({x, 45, r, 45, COLOR_3DHIGHLIGHT});
            strip.lines.push_back({r, 65, r, 435, COLOR_BTNSHADOW});
            strip.lines.push_back({r + 15, 65, r + 15, 435, COLOR_3DDKSHADOW});
            strip.lines.push_back({r, 45, r, 65, COLOR_3DDKSHADOW});
        } else {
            strip.tabs.push_back({i, x, 135, tabWidth, 300});
            strip.lines.push_back({x, 120, r, 120, COLOR_3DHIGHLIGHT});
            if (i != active - 1) {
                strip.lines.push_back({r, 140, r, 435, COLOR_BTNSHADOW});
                strip.lines.push_back({r + 15, 140, r + 15, 435, COLOR_3DDKSHADOW});
                strip.lines.push_back({r, 120, r, 140, COLOR_3DDKSHADOW});
            }
        }
        x += tabWidth + 60;
    }
    return strip;
}

void fedit::DrawFileTabs(int active)
{
    if (WindowState() == forms::FormWindowState::Minimized)
        return;
    bool visible[8];
    for (int i = 0; i < 8; ++i)
        visible[i] = LabFile(i).Visible();
    if (active == -1) {
        active = 0;
        for (int i = 0; i < 8; ++i)
            if (visible[i] && LabFile(i).Height() == 375) {
                active = i;
                break;
            }
    }
    FileTabStrip strip = LayoutFileTabs(ScaleWidth() - 690, visible, active);
    for (const FileTabPlace& t : strip.tabs)
        LabFile(t.slot).Move(t.left, t.top, t.width, t.height);
    tabLines_ = std::move(strip.lines);
    TBarFiles.Refresh();
}

void fedit::TBarFiles_Paint(HDC dc)
{
    for (const FileTabLine& l : tabLines_) {
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(l.sysColor));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, forms::TwipsToPixelsX(l.x1), forms::TwipsToPixelsY(l.y1), nullptr);
        LineTo(dc, forms::TwipsToPixelsX(l.x2), forms::TwipsToPixelsY(l.y2));
        SelectObject(dc, old);
        DeleteObject(pen);
    }
}
