#include "PageDebugging.h"

#include "FSets.h"
#include "SetsLogic.h"
#include "SetsMessages.h"
#include "SettingsRecord.h"

namespace {

const wchar_t* const kBars[3] = {L"Show in all editors.", L"Show in HTML editor only.",
                                 L"Never show auto-insert toolbars in any editor."};
const wchar_t* const kLineOptions[5] = {
    L"Enable line debugging.", L"Skip debugging of underscore - continued lines to stop false positives.",
    L"Skip if-then count in whole-file debugging.", L"Highlight when information appears in status bar.",
    L"Enable syntax auto-correction with debugging."};

} // namespace

PageDebugging::PageDebugging(FSets& form) : form_(form)
{
    FrVBS.Place(form, 2460, 120, 7320, 6660);
    FrVBS.SetCaption(L" Debugging, Miscellaneous ");

    FrBars.Place(FrVBS, 120, 300, 7080, 1380);
    FrBars.SetCaption(L"Auto-insert Toolbars ");
    for (int i = 0; i < 3; ++i) {
        OpBars(i).Place(FrBars, 240, 330 + i * 330, 5000, 285);
        OpBars(i).SetCaption(kBars[i]);
    }
    PlaceButton(ButExplain, FrBars, 5880, 330, L"Explain", L"Explain Auto-isert toolbar options.", 900);

    FrUndo.Place(FrVBS, 120, 1800, 7080, 1020);
    FrUndo.SetCaption(L" Editor Undo Limit ");
    TUndo.Place(FrUndo, 240, 360, 1080, 315);
    PlaceButton(BSetUndo, FrUndo, 1440, 353, L"Set", L"Set editor Undo limit.");
    LabUndo.Place(FrUndo, 2400, 300, 4500, 510);
    LabUndo.SetCaption(L"Lower number conserves memory. Higher number allows more undo operations.");

    FrLine.Place(FrVBS, 120, 2940, 7080, 2700);
    FrLine.SetCaption(L" Per-line debugging for VBS in VBS, HTML and ASP files ");
    for (int i = 0; i < 5; ++i) {
        CkSets(i).Place(FrLine, 240, 330 + i * 360, 6600, 285);
        CkSets(i).SetCaption(kLineOptions[i]);
        CkSets(i).SetValue(forms::vbChecked);
    }
    LabAutoCorrect.Place(FrLine, 540, 2130, 6300, 480);
    LabAutoCorrect.UseMnemonic = false;
    LabAutoCorrect.SetCaption(
        L"Automatically adjusts spacing around these operators and special characters: & = , * + / \\ ^");

    OpBars.Click = [this](int Index) { OpBars_Click(Index); };
    ButExplain.Click = [this] { ButExplain_Click(); };
    BSetUndo.Click = [this] { BSetUndo_Click(); };
    CkSets.Click = [this](int Index) { CkSets_Click(Index); };
}

void PageDebugging::OpBars_Click(int Index) { Settings().AutoBars = Index; }

void PageDebugging::ButExplain_Click()
{
    SetsMessages::Show(form_.hwnd,
                       L"The auto-insert toolbar is a toggling, double row of buttons along the bottom of the text "
                       L"window. Normally the buttons display in the HTML editor and can be used to auto-insert "
                       L"common HTML tags. However, the buttons can also be customized by right-clicking them, "
                       L"allowing most of the buttons to be used to auto-insert any designated text string in any "
                       L"of the editors.",
                       MB_OK);
}

void PageDebugging::BSetUndo_Click()
{
    if (SetsLogic::ApplyUndoLimit(TUndo.Text(), Settings()))
        return;
    TUndo.SetText(std::to_wstring(Settings().UndoLimit));
    SetsMessages::Show(form_.hwnd, L"Invalid entry.");
}

void PageDebugging::CkSets_Click(int Index)
{
    SettingsRecord& rec = Settings();
    const bool checked = CkSets(Index).Value() == forms::vbChecked;
    switch (Index) {
    case 0:
        rec.NoLineDebug = !checked;
        if (checked) {
            CkSets(4).SetValue(forms::vbChecked);
            rec.NoAutoCorrect = false;
        } else {
            CkSets(4).SetValue(forms::vbGrayed);
        }
        break;
    case 1:
        rec.DebugContinued = !checked;
        break;
    case 2:
        rec.CountIfThen = !checked;
        break;
    case 3:
        rec.NoStatusHighlight = !checked;
        break;
    case 4:
        rec.NoAutoCorrect = !checked;
        break;
    default:
        break;
    }
}
