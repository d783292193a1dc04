#pragma once
// The main window's popup list (FrPop with BoxPopJ and BoxPopX) and
// parameter tip (FrTip with Label2, LabTip and bTipX) as code assistance
// fills and places them.
#include "PopupFace.h"

class KvRTB;
class PanelsPart;

class PopupPanels : public PopupFace {
public:
    PopupPanels(PanelsPart& panels, KvRTB& editor) : panels_(panels), editor_(editor) {}

    PopupRect EditorRect() const override;
    PopupRect ListRect() const override;
    bool CaretTwips(long& x, long& y) const override;

    void ClearList() override;
    void AddItem(const std::wstring& text, long colourCode, const std::wstring& fullText) override;
    void ShowList(long left, long top, PopupMode mode) override;
    void HideList() override;
    bool ListVisible() const override;
    PopupMode ListMode() const override { return mode_; }

    void SetTipText(const std::wstring& caption) override;
    long TipWidth() const override;
    void ShowTip(long left, long top) override;
    void HideTip() override;
    bool TipVisible() const override;

private:
    PanelsPart& panels_;
    KvRTB& editor_;
    PopupMode mode_ = PopupMode::Member;
};
