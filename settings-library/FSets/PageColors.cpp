#include "PageColors.h"

#include "FSets.h"
#include "ModSets2.h"
#include "SetsLogic.h"
#include "SettingsRecord.h"

namespace {

const wchar_t* const kItems[SetsLogic::kColorItems] = {
    L"HTML tags", L"Script Keywords", L"Script Variables", L"VBS Debugging", L"Comments", L"Strings",
    L"HTML attr. values"};
const wchar_t* const kTips[SetsLogic::kColorItems] = {
    L"", L"VBS, JS and PHP Keywords, CSS attributes.", L"VBS, JS and PHP Variables, CSS Class and ID names.", L"",
    L"", L"Strings within VBS, JS, or PHP.", L""};

} // namespace

PageColors::PageColors(FSets& form) : form_(form)
{
    FrColors.Place(form, 2460, 120, 7320, 6660);
    FrColors.SetCaption(L" Text Color Coding ");
    for (int i = 0; i < SetsLogic::kColorItems; ++i) {
        OpColors(i).Place(FrColors, 240, 360 + i * 390, 2280, 285);
        OpColors(i).SetCaption(kItems[i]);
        OpColors(i).SetToolTipText(kTips[i]);
        LabColors(i).Place(FrColors, 2580, 375 + i * 390, 480, 255);
        LabColors(i).SetBorderStyle(forms::Border::FixedSingle);
    }
    tsample.MultiLine = true;
    tsample.Place(FrColors, 3360, 360, 3720, 1140);
    tsample.SetLocked(true);
    tsample.SetFontSize(12);
    tsample.SetText(L"Sample of  text \r\ndisplayed in selected \r\ncolor.\r\n");
    PlaceButton(bpick, FrColors, 3360, 1680, L"Pick", L"Choose color for selected item.", 900);
    PlaceButton(bapply, FrColors, 4380, 1680, L"Apply", L"Set highlighting color for selected item.", 900);
    bapply.SetEnabled(false);

    LabPHP.Place(FrColors, 240, 3300, 1800, 255);
    LabPHP.SetCaption(L"Color PHP in HTML? ");
    CkPHPCol.Place(FrColors, 2040, 3270, 5000, 285);
    CkPHPCol.SetCaption(L"Color PHP in <? tags. (May conflict in XML files.)");
    CkPHPCol.SetValue(forms::vbChecked);

    CkColDef.Place(FrColors, 240, 3780, 4000, 285);
    CkColDef.SetCaption(L"Text colorcoding on.");
    CkColDef.SetValue(forms::vbChecked);
    LabColDef.Place(FrColors, 540, 4080, 6400, 255);
    LabColDef.SetCaption(L"Syntax highlighting of HTML, VBS, ASP, JS and CSS on by default.");

    LabCom.Place(FrColors, 240, 4620, 6000, 255);
    LabCom.SetCaption(L"Set default string used by VBS commenting function:");
    TCom.Place(FrColors, 240, 4920, 1800, 315);
    TCom.SetText(L"'--");
    PlaceButton(bCom, FrColors, 2160, 4913, L"Set", L"Set default comment string.");

    OpColors.Click = [this](int Index) { OpColors_Click(Index); };
    bpick.Click = [this] { bpick_Click(); };
    bapply.Click = [this] { bapply_Click(); };
    CkPHPCol.Click = [this] { CkPHPCol_Click(); };
    CkColDef.Click = [this] { CkColDef_Click(); };
    bCom.Click = [this] { bCom_Click(); };
}

int PageColors::SelectedItem()
{
    for (int i = 0; i < SetsLogic::kColorItems; ++i)
        if (OpColors(i).Value())
            return i;
    return 0;
}

void PageColors::ShowSample(int32_t color) { tsample.SetForeColor(static_cast<forms::OleColor>(color)); }

void PageColors::ShowColorSample()
{
    for (int i = 0; i < SetsLogic::kColorItems; ++i)
        LabColors(i).SetBackColor(static_cast<forms::OleColor>(SetsLogic::ColorField(Settings(), i)));
    ShowSample(Settings().ColorTag);
    OpColors(0).SetValue(true);
}

void PageColors::OpColors_Click(int Index) { ShowSample(static_cast<int32_t>(LabColors(Index).BackColor())); }

void PageColors::bpick_Click()
{
    forms::BusyScope busy(form_.busy);
    if (!busy.Entered())
        return;
    const int item = SelectedItem();
    const int32_t start = SetsLogic::PickStartColor(static_cast<int32_t>(LabColors(item).BackColor()));
    long chosen = ModSets2::ShowColorDialog(form_.hwnd, static_cast<COLORREF>(start), Settings().CustColors);
    if (chosen == -1) {
        picked_ = start;
        return;
    }
    picked_ = static_cast<int32_t>(chosen);
    LabColors(item).SetBackColor(static_cast<forms::OleColor>(picked_));
    ShowSample(picked_);
    bapply.SetEnabled(true);
}

void PageColors::bapply_Click()
{
    forms::BusyScope busy(form_.busy);
    if (!busy.Entered())
        return;
    bapply.SetEnabled(false);
    SetsLogic::ColorField(Settings(), SelectedItem()) = picked_;
}

void PageColors::CkPHPCol_Click() { Settings().NoPHPColor = CkPHPCol.Value() != forms::vbChecked; }

void PageColors::CkColDef_Click() { Settings().NoColorCode = CkColDef.Value() != forms::vbChecked; }

void PageColors::bCom_Click()
{
    if (SetsLogic::ApplyCommentMark(TCom.Text(), Settings()))
        TCom.SetText(Settings().CommentMark);
}
