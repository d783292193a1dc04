// The main window's panels: the status row's scrolling and copying, the
// command-line and CSS bars, the image frame, and picks in the pop-up list
// and the tip's buttons. The lists themselves are filled by code assistance.
#include "PanelsPart.h"

#include "EditorState.h"
#include "EditorType.h"
#include "HandlerGuard.h"
#include "autoinsert/AutoInsert.h"
#include "css/CSSPopup.h"
#include "fedit.h"
#include "forms/Runtime.h"
#include "SettingsRecord.h"

using namespace forms;
using fedit_handlers::Guard;

void PanelsPart::PlaceImageFrame()
{
    FrImageOps.Place(form_, 3000, 5900, 8460, 405);
    picsmall.Place(FrImageOps, 60, 45, 330, 300);
    picsmall.SetToolTipText(L"Displays sampled color.");
    thex.Place(FrImageOps, 450, 45, 1000, 300);
    bbitcol.Place(FrImageOps, 1500, 30, 1380, 330);
    bbitcol.SetCaption(L"Copy color code");
    tsize.Place(FrImageOps, 2940, 45, 1200, 300);
    tsize.SetLocked(true);
    tgrfil.Place(FrImageOps, 4200, 45, 2640, 300);
    tgrfil.SetLocked(true);
    bspec.Place(FrImageOps, 6900, 30, 1500, 330);
    bspec.SetCaption(L"Copy IMG tag");
    bspec.SetToolTipText(L"Put IMG tag on clipboard with width and height specs for this file");
    FrImageOps.SetVisible(false);
}

void PanelsPart::PlaceStatusRow()
{
    FrStatus.Place(form_, 345, 6480, 10650, 375);
    // The sunken edge is the row's only border (Form_Load adds it).
    FrStatus.SetBorderStyle(Border::None);
    LabStatus.Place(FrStatus, 0, 60, 40000, 255);
    LabStatus.UseMnemonic = false;
    LabStatus.WordWrap = false;
    const wchar_t* scrollTips[2] = {L"Scroll status text left.", L"Scroll status text right."};
    for (int i = 0; i < 2; ++i) {
        bStatScroll(i).Place(form_, i == 0 ? 60 : 10945, 6510, 255, 255);
        bStatScroll(i).SetToolTipText(scrollTips[i]);
    }
    // The command-line bar lies over the status text while it is shown.
    FrCommand.Place(FrStatus, 0, 0, 10650, 375);
    FrCommand.SetBorderStyle(forms::Border::None);
    LabCommand.Place(FrCommand, 60, 75, 1300, 255);
    LabCommand.SetCaption(L"Command Line:");
    tCommand.Place(FrCommand, 1360, 0, 7000, 330);
    for (int i = 0; i < 2; ++i) {
        bCommand(i).Place(FrCommand, 9000 + i * 600, 15, 420, 330);
        bCommand(i).SetCaption(i == 0 ? L"X" : L"?");
    }
    FrCommand.SetVisible(false);

    FrCSS.Place(form_, 0, 6480, 11340, 375);
    FrCSS.SetBorderStyle(forms::Border::None);
    const wchar_t* cssTips[2] = {L"Show properties auto-insert popup. (Or use F11 key.)",
                                 L"Show values auto-insert popup. (Or use F12  key.)"};
    for (int i = 0; i < 2; ++i) {
        bPropCSS(i).Place(FrCSS, 5000 + i * 700, 20, 330, 330);
        bPropCSS(i).SetToolTipText(cssTips[i]);
    }
    FrCSS.SetVisible(false);
    FrCSS.WindowWhenShown = true;
}

void PanelsPart::PlacePopups()
{
    // The pop-up list and the tip panel, hidden until code assistance shows them.
    FrPop.Place(form_, 2000, 2000, 3600, 1800);
    FrPop.SetBorderStyle(forms::Border::None);
    BoxPopJ.Place(FrPop, 0, 0, 3600, 1800);
    BoxPopX.Place(FrPop, 0, 0, 3600, 1800);
    BoxPopX.SetVisible(false);
    FrPop.SetVisible(false);
    FrTip.Place(form_, 2000, 1500, 6000, 330);
    Label2.Place(FrTip, 0, 0, 1260, 330);
    LabTip.Place(FrTip, 1260, 45, 4700, 255);
    LabTip.SetBackStyle(0);
    const wchar_t* tipButtons[2] = {L"Hide.", L"Lock."};
    for (int i = 0; i < 2; ++i) {
        bTipX(i).Place(FrTip, i == 1 ? 60 : 660, 30, 540, 270);
        bTipX(i).SetCaption(i == 0 ? L"Hide" : L"Lock");
        bTipX(i).SetToolTipText(tipButtons[i]);
    }
    FrTip.SetVisible(false);
    FrTip.WindowWhenShown = true;
}

void PanelsPart::Wire()
{
    LabStatus.MouseMove = Guard([this](int, int, int, int) { form_.bars_.HideOutline(); });

    // Panels.
    bStatScroll.Click = Guard([this](int i) { bStatScroll_Click(i); });
    LabStatus.MouseUp = Guard([this](int b, int, int, int) { LabStatus_MouseUp(b); });
    BoxPopJ.List.MouseDown = Guard([this](int&) { popupItemChosen = true; });
    BoxPopJ.List.MouseUp = Guard([this](int&) { popupItemChosen = false; });
    BoxPopJ.List.KeyUp = Guard([this](int& k) { BoxPopJ_KeyUp(k); });
    BoxPopJ.List.Click = Guard([this](int& i) { BoxPopJ_Click(i); });
    bPropCSS.Click = Guard([this](int i) { bPropCSS_Click(i); });
    bTipX.Click = Guard([this](int i) { bTipX_Click(i); });
    // Running.
    bCommand.Click = Guard([this](int i) { form_.bCommand_Click(i); });

    // Launchers.
    bbitcol.Click = Guard([this] { form_.bbitcol_Click(); });
    bspec.Click = Guard([this] { form_.bspec_Click(); });
}

void PanelsPart::ShowStatus(const std::wstring& text)
{
    if (!Settings().NoStatusHighlight) {
        LabStatus.SetBackColor(0xFFFFFF);
        LabStatus.SetForeColor(0);
    }
    LabStatus.SetLeft(60);
    LabStatus.SetCaption(text);
}

void PanelsPart::ClearStatus()
{
    LabStatus.SetBackColor(vbButtonFace);
    LabStatus.SetForeColor(vbButtonText);
    LabStatus.SetLeft(60);
    LabStatus.SetCaption(L"");
}

void PanelsPart::ShowImageTools(bool visible)
{
    FrImageOps.SetVisible(visible);
    // It shares its place with the auto-insert bars, and goes over them.
    if (visible)
        FrImageOps.ZOrder(0);
}

void PanelsPart::ShowImageFacts(const std::wstring& size, const std::wstring& path, bool tagButton)
{
    tsize.SetText(size);
    tgrfil.SetText(path);
    bspec.SetVisible(tagButton);
}

void PanelsPart::ShowSampledColor(unsigned long colour, const std::wstring& text)
{
    thex.SetText(text);
    picsmall.SetBackColor(static_cast<forms::OleColor>(colour));
    picsmall.Refresh();
}

void PanelsPart::ShowCommandBar(bool show)
{
    FrCommand.SetVisible(show);
    bStatScroll(0).SetEnabled(!show);
    bStatScroll(1).SetEnabled(!show);
}

void PanelsPart::bStatScroll_Click(int Index)
{
    LabStatus.SetLeft(LabStatus.Left() + (Index == 0 ? -600 : 600));
}

void PanelsPart::LabStatus_MouseUp(int Button)
{
    if (Button != 2)
        return;
    form_.mStatusCopy.SetEnabled(!LabStatus.Caption().empty());
    form_.PopupMenu(form_.mPopLab);
}

void PanelsPart::mStatusCopy_Click()
{
    const std::wstring text = LabStatus.Caption();
    if (text.empty())
        return;
    ClipboardClear();
    ClipboardSetText(text);
}

void PanelsPart::BoxPopJ_KeyUp(int KeyCode)
{
    int index = BoxPopJ.List.ListIndex();
    if (KeyCode == VK_RETURN && index >= 0) {
        popupItemChosen = true;
        BoxPopJ_Click(index);
    }
}

void PanelsPart::BoxPopJ_Click(int Index)
{
    if (!popupItemChosen || Index == -1)
        return;
    const std::wstring item = BoxPopJ.List.GetItemMin(Index);
    if (item.empty())
        return;
    const long caret = form_.editing_.JT1.SelStart();
    const long lineStart = form_.editing_.JT1.GetLineIndex(form_.editing_.JT1.GetLineFromChar(caret));
    const long column = caret - lineStart;
    EditorType mode = State().EdType;
    if (IsPageType(mode) && cssPopup)
        mode = EditorType::CSS;

    if (mode == EditorType::CSS) {
        const CSSChoice choice = ChooseCSSItem(item, caret);
        if (choice.action == CSSChoice::Action::None)
            return;
        if (choice.action == CSSChoice::Action::Replace) {
            form_.editing_.JT1.SetSelection(choice.start, caret);
            form_.editing_.JT1.SetSelText(choice.text);
            form_.editing_.JT1.SetSelStart(choice.start + static_cast<long>(choice.text.size()));
        }
        if (!choice.showValuesOf.empty()) {
            FrPop.SetVisible(false);
            popupItemChosen = false;
            // The values open at the caret, which the editor shows only
            // while it has the focus.
            form_.editing_.JT1.SetFocus();
            popupShift = ShowCSSPopup(choice.showValuesOf, false);
            cssPopup = true;
            if (popupShift != 0 || choice.action == CSSChoice::Action::ShowValues)
                return;
        }
    } else if (column > 2) {
        const std::wstring full = BoxPopX.List(Index);
        // The last period of the line before the caret (a search from the
        // line start would find a period before it again and again).
        const size_t p = form_.editing_.JT1.GetTextRange(lineStart, caret).rfind(L'.');
        const long dot = p == std::wstring::npos ? -1 : lineStart + static_cast<long>(p);
        if (dot >= 0) {
            form_.editing_.JT1.SetSelRange(dot + 1, caret - dot - 1);
            form_.editing_.JT1.SetSelText(item);
            form_.editing_.JT1.SetSelStart(dot + static_cast<long>(item.size()) + 1);
        }
        form_.ShowStatus(full);
        if (mode != EditorType::CSS && mode != EditorType::JavaScript) {
            const size_t close = full.find(L')');
            const size_t dash = full.find(L'-');
            if (close != std::wstring::npos && (dash == std::wstring::npos || close < dash))
                tipSpaceCount = static_cast<short>(
                    ShowParamInfo(full.substr(0, close + 1)) + 1);
        }
    }
    FrPop.SetVisible(false);
    cssPopup = false;
    popupItemChosen = false;
    form_.editing_.JT1.SetFocus();
}

void PanelsPart::bPropCSS_Click(int Index)
{
    cssPopup = true;
    form_.editing_.JT1.SetFocus();
    if (Index == 0) {
        popupItemChosen = false;
        popupShift = ShowCSSPopup(std::wstring(L"{"), false);
    } else {
        const std::wstring name = GetCSSContext(form_.editing_.JT1.SelStart());
        if (!name.empty()) {
            popupItemChosen = false;
            popupShift = ShowCSSPopup(name, false);
            if (popupShift == 0) {
                form_.ShowInfo(L"No property found on line.");
                return;
            }
        }
    }
    form_.editing_.JT1.SetFocus();
}

void PanelsPart::bTipX_Click(int Index)
{
    if (Index == 0) {
        FrTip.SetVisible(false);
        State().TipKept = false;
    } else {
        State().TipKept = true;
    }
}
