#include "FSets.h"

#include "SetsLogic.h"
#include "SettingsRecord.h"

namespace {

const wchar_t* const kPageNames[FSets::kPages] = {
    L"General", L"Colorcoding", L"Debugging, Misc.", L"Custom Popups", L"HotKeys",
    L"VBS Debugging - Object List", L"File Extensions"};

constexpr forms::OleColor kHover = 0xFF0000;

} // namespace

FSets::FSets()
    : General(*this), Colors(*this), Debugging(*this), Popups(*this), HotKeys(*this), Objects(*this),
      Extensions(*this)
{
    SetCaption(L"TARNEL Settings");
    BorderStyle = forms::FormBorderStyle::FixedDialog;
    MinButton = true;
    MaxButton = false;
    StartUpPosition = forms::FormStartUpPosition::CenterScreen;
    SetClientSize(9900, 6900);

    for (int i = 0; i < kPages; ++i) {
        // The face lies behind its label and frames it with a border of
        // button face around the text.
        LabBut(i).Place(*this, 90, 180 + i * 540, 2220, 450);
        LabBut(i).SetBorderStyle(forms::Border::FixedSingle);
        LabSetMenu(i).Place(*this, 150, 255 + i * 540, 2100, 300);
        LabSetMenu(i).SetAlignment(forms::Align::Center);
        LabSetMenu(i).SetCaption(kPageNames[i]);
        LabSetMenu(i).UseMnemonic = false;
    }
    LabSetMenu.Click = [this](int Index) { LabSetMenu_Click(Index); };
    LabSetMenu.MouseMove = [this](int Index, int, int, int, int) { LabSetMenu_MouseMove(Index); };
    LabBut.MouseMove = [this](int Index, int, int, int, int) { LabBut_MouseMove(Index); };
}

FSets::~FSets()
{
    WindowClosed = nullptr;
    // Unloaded from code: no QueryUnload of the user's kind reaches CSets.
    if (Loaded())
        Unload(forms::vbFormCode);
    Teardown();
}

forms::Frame& FSets::PageFrame(int index)
{
    switch (index) {
    case 0:
        return General.FrGen;
    case 1:
        return Colors.FrColors;
    case 2:
        return Debugging.FrVBS;
    case 3:
        return Popups.FrPops;
    case 4:
        return HotKeys.FrKeyB;
    case 5:
        return Objects.FrObs;
    default:
        return Extensions.FrExt;
    }
}

void FSets::LabSetMenu_Click(int Index)
{
    if (Index < 0 || Index >= kPages)
        return;
    forms::BusyScope scope(busy);
    if (!scope.Entered())
        return;
    for (int i = 0; i < kPages; ++i) {
        const bool chosen = i == Index;
        const forms::OleColor back = chosen ? forms::vbButtonShadow : forms::vbButtonFace;
        LabSetMenu(i).SetBackColor(back);
        LabSetMenu(i).SetForeColor(chosen ? forms::vb3DHighlight : forms::vbButtonText);
        LabBut(i).SetBackColor(back);
    }
    selected_ = Index;
    if (Index == 1)
        Colors.ShowColorSample();
    else if (Index == 5)
        Objects.LoadDebugObjectList();
    else if (Index == 6)
        Extensions.FillExtensionList();
    // The pages share one place: the chosen one in front, the others hidden
    // so that none shows through.
    for (int i = 0; i < kPages; ++i)
        if (i != Index)
            PageFrame(i).SetVisible(false);
    PageFrame(Index).SetVisible(true);
    PageFrame(Index).ZOrder(0);
}

void FSets::LabSetMenu_MouseMove(int Index)
{
    for (int i = 0; i < kPages; ++i) {
        if (i == selected_)
            continue;
        forms::OleColor want = i == Index ? kHover : forms::vbButtonText;
        if (LabSetMenu(i).ForeColor() != want)
            LabSetMenu(i).SetForeColor(want);
    }
}

void FSets::LabBut_MouseMove(int)
{
    for (int i = 0; i < kPages; ++i)
        if (i != selected_ && LabSetMenu(i).ForeColor() != forms::vbButtonText)
            LabSetMenu(i).SetForeColor(forms::vbButtonText);
}

void FSets::Form_Load()
{
    SettingsRecord& rec = Settings();
    busy = false;

    General.ttemp.SetText(rec.WebTempFolder);

    // Line debugging last but one: unchecking it greys the auto-correction box.
    auto& ck = Debugging.CkSets;
    if (rec.NoAutoCorrect)
        ck(4).SetValue(forms::vbUnchecked);
    if (rec.NoLineDebug)
        ck(0).SetValue(forms::vbUnchecked);
    if (rec.DebugContinued)
        ck(1).SetValue(forms::vbUnchecked);
    if (rec.CountIfThen)
        ck(2).SetValue(forms::vbUnchecked);
    if (rec.NoStatusHighlight)
        ck(3).SetValue(forms::vbUnchecked);

    Debugging.OpBars(SetsLogic::NormaliseAutoBars(rec)).SetValue(true);

    if (rec.NoWholeWord)
        Objects.CkWhole.SetValue(forms::vbUnchecked);
    General.boxMoveO.SetText(std::to_wstring(rec.MoveSpacer.size()));
    if (rec.TabAsSpacer)
        General.CkTab.SetValue(forms::vbChecked);
    const int ext = SetsLogic::DefSaveExtIndex(rec);
    if (ext >= 0)
        General.BoxDefExt.SetListIndex(ext);
    // The boxes show entry 1, so its option is the one selected: otherwise a
    // path set straight away would land in entry 3.
    General.opexe(0).SetValue(true);
    const bool exe1 = rec.ExePath1.size() >= 2 && rec.ExeName1.size() >= 2;
    General.tap.SetText(exe1 ? rec.ExePath1 : L"");
    General.tmenu.SetText(exe1 ? rec.ExeName1 : L"");
    if (rec.NoColorCode)
        Colors.CkColDef.SetValue(forms::vbUnchecked);
    if (rec.NoPHPColor)
        Colors.CkPHPCol.SetValue(forms::vbUnchecked);
    if (rec.NoCaretJump)
        General.CkJump.SetValue(forms::vbUnchecked);
    SetsLogic::DefaultPopupNames(rec);

    General.FillFonts();
    const int face = General.boxface.FindItem(rec.EdFontName);
    if (face >= 0)
        General.boxface.SetListIndex(face);
    General.boxsize.SetText(std::to_wstring(rec.EdFontSize));
    Debugging.TUndo.SetText(std::to_wstring(rec.UndoLimit));

    // The page labels lie in front of their faces.
    for (int i = 0; i < kPages; ++i)
        LabSetMenu(i).ZOrder(0);
    LabSetMenu_Click(0);

    Popups.op(0).SetValue(true);
    Popups.LoadCustomMenu1();
    HotKeys.ShowHotKeys();
}

void FSets::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode != forms::vbFormControlMenu)
        return;
    // The user closed the dialog: it stays loaded, hidden, with all its state
    // until CSets lets it go.
    ++closing_;
    Cancel = 1;
    Hide();
    auto alive = AliveToken();
    if (WindowClosed)
        WindowClosed();
    if (*alive)
        --closing_;
}
