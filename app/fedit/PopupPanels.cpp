#include "PopupPanels.h"

#include "KvRTB/KvRTB.h"
#include "PanelsPart.h"
#include "forms/Runtime.h"

PopupRect PopupPanels::EditorRect() const
{
    return {editor_.Left(), editor_.Top(), editor_.Width(), editor_.Height()};
}

PopupRect PopupPanels::ListRect() const
{
    return {panels_.FrPop.Left(), panels_.FrPop.Top(), panels_.FrPop.Width(), panels_.FrPop.Height()};
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
    panels_.BoxPopJ.List.Clear();
    panels_.BoxPopX.Clear();
}

void PopupPanels::AddItem(const std::wstring& text, long colourCode, const std::wstring& fullText)
{
    panels_.BoxPopJ.List.Add(text, colourCode);
    panels_.BoxPopX.AddItem(fullText);
}

void PopupPanels::ShowList(long left, long top, PopupMode mode)
{
    mode_ = mode;
    panels_.BoxPopJ.List.ListIndex(0);
    panels_.BoxPopJ.List.SelNone();
    panels_.FrPop.Move(static_cast<int>(left), static_cast<int>(top));
    panels_.FrPop.SetVisible(true);
    panels_.FrPop.ZOrder(0);
}

void PopupPanels::HideList() { panels_.FrPop.SetVisible(false); }
bool PopupPanels::ListVisible() const { return panels_.FrPop.Visible(); }

void PopupPanels::SetTipText(const std::wstring& caption)
{
    panels_.LabTip.SetCaption(caption);
    // Label2 holds the two buttons at the left; the caption follows it.
    panels_.Label2.SetLeft(0);
    panels_.bTipX(1).SetLeft(60);
    panels_.bTipX(0).SetLeft(panels_.bTipX(1).Width() + 120);
    panels_.LabTip.SetLeft(panels_.Label2.Width());
    panels_.LabTip.SetWidth(panels_.LabTip.CaptionWidth() + 60);
    panels_.FrTip.SetWidth(panels_.LabTip.Width() + panels_.Label2.Width());
}

long PopupPanels::TipWidth() const { return panels_.FrTip.Width(); }

void PopupPanels::ShowTip(long left, long top)
{
    panels_.FrTip.Move(static_cast<int>(left), static_cast<int>(top));
    panels_.FrTip.SetVisible(true);
    panels_.FrTip.ZOrder(0);
}

void PopupPanels::HideTip() { panels_.FrTip.SetVisible(false); }
bool PopupPanels::TipVisible() const { return panels_.FrTip.Visible(); }
