// The file tabs below the editor: one per open document, drawn on TBarFiles;
// a click shows that tab's document, the right button opens the tab menu.
#include "FileTabsPart.h"

#include "fedit.h"

namespace {

constexpr int kStripMargin = 690;   // twips of the form's width the strip leaves free

} // namespace

void FileTabsPart::Place()
{
    TBarFiles.Place(form_, 345, 6855, 10650, 435);
    TBarFiles.SetBorderStyle(forms::Border::None);
    for (int i = 0; i < 8; ++i) {
        LabFile(i).Place(TBarFiles, i * 1875, 135, 1815, 300);
        LabFile(i).SetFont(forms::FontSpec{L"MS Sans Serif", 8.0f});
        LabFile(i).SetAlignment(forms::Align::Center);
        LabFile(i).UseMnemonic = false;
        LabFile(i).WordWrap = false;
        LabFile(i).SetVisible(false);
    }
}

void FileTabsPart::Wire()
{
    TBarFiles.Paint = [this](HDC dc) { TBarFiles_Paint(dc); };
    LabFile.Click = [this](int Index) { LabFile_Click(Index); };
    LabFile.MouseUp = [this](int Index, int Button, int, int, int) { LabFile_MouseUp(Index, Button); };
    TBarFiles.MouseMove = [this](int, int, int, int) { TBarFiles_MouseMove(); };
}

void FileTabsPart::DrawFileTabs(int active)
{
    if (form_.WindowState() == forms::FormWindowState::Minimized)
        return;
    bool visible[kFileTabSlots];
    for (int i = 0; i < kFileTabSlots; ++i)
        visible[i] = LabFile(i).Visible();
    if (active == -1) {
        active = 0;
        for (int i = 0; i < kFileTabSlots; ++i)
            if (visible[i] && LabFile(i).Height() == kSelectedTabHeight) {
                active = i;
                break;
            }
    }
    FileTabStrip strip = LayoutFileTabs(form_.ScaleWidth() - kStripMargin, visible, active);
    for (const FileTabPlace& t : strip.tabs)
        LabFile(t.slot).Move(t.left, t.top, t.width, t.height);
    tabLines_ = std::move(strip.lines);
    TBarFiles.SetBackColor(forms::vbButtonFace);
    TBarFiles.Refresh();
}

void FileTabsPart::TBarFiles_Paint(HDC dc)
{
    for (const FileTabLine& l : tabLines_) {
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(static_cast<int>(l.colour)));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, forms::TwipsToPixelsX(l.x1), forms::TwipsToPixelsY(l.y1), nullptr);
        LineTo(dc, forms::TwipsToPixelsX(l.x2), forms::TwipsToPixelsY(l.y2));
        SelectObject(dc, old);
        DeleteObject(pen);
    }
}

void FileTabsPart::SetTabLabel(const std::wstring& caption, int slot)
{
    LabFile(slot).SetVisible(true);
    LabFile(slot).SetCaption(caption);
    DrawFileTabs(slot);
}

std::wstring FileTabsPart::GetSingleTabCaption()
{
    int shown = 0;
    int last = -1;
    for (int i = 0; i < kFileTabSlots; ++i)
        if (LabFile(i).Visible()) {
            ++shown;
            last = i;
        }
    return shown == 1 ? LabFile(last).Caption() : L"";
}

void FileTabsPart::LabFile_Click(int Index)
{
    form_.ShowSlot(Index);
}

void FileTabsPart::LabFile_MouseUp(int Index, int Button)
{
    if (Button != forms::vbRightButton)
        return;
    // The last remaining tab, untitled, has nothing to close.
    form_.mFileCloseFromTab.SetEnabled(GetSingleTabCaption() != L"Untitled");
    popTabIndex_ = Index;
    form_.PopupMenu(form_.mPopFiles);
}

void FileTabsPart::TBarFiles_MouseMove()
{
    form_.bars_.HideOutlineBoxes();
}
