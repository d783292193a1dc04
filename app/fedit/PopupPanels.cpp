#include "PopupPanels.h"

#include "fedit.h"
#include "forms/Runtime.h"

PopupRect PopupPanels::EditorRect() const
{
    return {f_.JT1.Left(), f_.JT1.Top(), f_.JT1.Width(), f_.JT1.Height()};
}

PopupRect PopupPanels::ListRect() const
{
    return {f_.FrPop.Left(), f_.FrPop.Top(), f_.FrPop.Width(), f_.FrPop.Height()};
}

bool PopupPanels::CaretTwips(long& x, long& y) const
{
    POINT caret{};
    if (!GetCaretPos(&caret))
        return false;
    x = caret.x * forms::TwipsPerPixelX();
    y = caret.y * forms::TwipsPerPixelY();
    return true;
}

void PopupPanels::ClearList()
{
    f_.BoxPopJ.List.Clear();
    f_.BoxPopX.Clear();
}

void PopupPanels::AddItem(const std::wstring& text, long colourCode, const std::wstring& fullText)
{
    f_.BoxPopJ.List.Add(text, colourCode);
    f_.BoxPopX.AddItem(fullText);
}

void PopupPanels::ShowList(long left, long top, PopupMode mode)
{
    mode_ = mode;
    f_.BoxPopJ.List.ListIndex(0);
    f_.BoxPopJ.List.SelNone();
    f_.FrPop.Move(static_cast<int>(left), static_cast<int>(top));
    f_.FrPop.SetVisible(true);
    f_.FrPop.ZOrder(0);
}

void PopupPanels::HideList() { f_.FrPop.SetVisible(false); }
bool PopupPanels::ListVisible() const { return f_.FrPop.Visible(); }

void PopupPanels::SetTipText(const std::wstring& caption)
{
    f_.LabTip.SetCaption(caption);
    // Label2 holds the two buttons at the left; the caption follows it.
    f_.Label2.SetLeft(0);
    f_.bTipX(1).SetLeft(60);
    f_.bTipX(0).SetLeft(f_.bTipX(1).Width() + 120);
    f_.LabTip.SetLeft(f_.Label2.Width());
    f_.LabTip.SetWidth(f_.LabTip.CaptionWidth() + 60);
    f_.FrTip.SetWidth(f_.LabTip.Width() + f_.Label2.Width());
}

long PopupPanels::TipWidth() const { return f_.FrTip.Width(); }

void PopupPanels::ShowTip(long left, long top)
{
    f_.FrTip.Move(static_cast<int>(left), static_cast<int>(top));
    f_.FrTip.SetVisible(true);
    f_.FrTip.ZOrder(0);
}

void PopupPanels::HideTip() { f_.FrTip.SetVisible(false); }
bool PopupPanels::TipVisible() const { return f_.FrTip.Visible(); }
