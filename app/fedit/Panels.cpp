// The main window's panels: the status label's scrolling and copying, picks
// in the pop-up list, the CSS list buttons, the tag information, the
// procedure list, the custom menus at the caret, the typed word's stored
// spelling and the closing of the side panels. The lists themselves are
// filled by code assistance.
#include "fedit.h"

#include "EditorState.h"
#include "EditorType.h"
#include "ModFormOps.h"
#include "autoinsert/AutoInsert.h"
#include "css/CSSPopup.h"
#include "debug/modHTML.h"
#include "find/modfind.h"
#include "functions/FuncPopup.h"
#include "PanelRules.h"
#include "snippets/fCM.h"
#include "forms/Runtime.h"
#include "platform/Text.h"
#include "SettingsRecord.h"

#include <richedit.h>

using namespace forms;

namespace {

EditorType CurrentType() { return State().EdType; }

} // namespace

void fedit::bStatScroll_Click(int Index)
{
    LabStatus.SetLeft(LabStatus.Left() + (Index == 0 ? -600 : 600));
}

void fedit::LabStatus_MouseUp(int Button)
{
    if (Button != 2)
        return;
    mStatusCopy.SetEnabled(!LabStatus.Caption().empty());
    PopupMenu(mPopLab);
}

void fedit::mStatusCopy_Click()
{
    const std::wstring text = LabStatus.Caption();
    if (text.empty())
        return;
    ClipboardClear();
    ClipboardSetText(text);
}

void fedit::BoxPopJ_KeyUp(int KeyCode)
{
    int index = BoxPopJ.List.ListIndex();
    if (KeyCode == VK_RETURN && index >= 0) {
        popupItemChosen_ = true;
        BoxPopJ_Click(index);
    }
}

void fedit::BoxPopJ_Click(int Index)
{
    if (!popupItemChosen_ || Index == -1)
        return;
    const std::wstring item = BoxPopJ.List.GetItemMin(Index);
    if (item.empty())
        return;
    const long caret = JT1.SelStart();
    const long lineStart = JT1.GetLineIndex(JT1.GetLineFromChar(caret));
    const long column = caret - lineStart;
    EditorType mode = CurrentType();
    if (IsPageType(mode) && cssPopup_)
        mode = EditorType::CSS;

    if (mode == EditorType::CSS) {
        const CSSChoice choice = ChooseCSSItem(item, caret);
        if (choice.action == CSSChoice::Action::None)
            return;
        if (choice.action == CSSChoice::Action::Replace) {
            JT1.SetSelection(choice.start, caret);
            JT1.SetSelText(choice.text);
            JT1.SetSelStart(choice.start + static_cast<long>(choice.text.size()));
        }
        if (!choice.showValuesOf.empty()) {
            FrPop.SetVisible(false);
            popupItemChosen_ = false;
            popupShift_ = ShowCSSPopup(choice.showValuesOf, false);
            cssPopup_ = true;
            if (popupShift_ != 0 || choice.action == CSSChoice::Action::ShowValues) {
                JT1.SetFocus();
                return;
            }
        }
    } else if (column > 2) {
        const std::wstring full = BoxPopX.List(Index);
        // The last period of the line before the caret (a search from the
        // line start would find a period before it again and again).
        const size_t p = JT1.GetTextRange(lineStart, caret).rfind(L'.');
        const long dot = p == std::wstring::npos ? -1 : lineStart + static_cast<long>(p);
        if (dot >= 0) {
            JT1.SetSelRange(dot + 1, caret - dot - 1);
            JT1.SetSelText(item);
            JT1.SetSelStart(dot + static_cast<long>(item.size()) + 1);
        }
        ShowStatus(full);
        if (mode != EditorType::CSS && mode != EditorType::JavaScript) {
            const size_t close = full.find(L')');
            const size_t dash = full.find(L'-');
            if (close != std::wstring::npos && (dash == std::wstring::npos || close < dash))
                tipSpaceCount_ = static_cast<short>(
                    ShowParamInfo(full.substr(0, close + 1)) + 1);
        }
    }
    FrPop.SetVisible(false);
    cssPopup_ = false;
    popupItemChosen_ = false;
    JT1.SetFocus();
}

void fedit::bPropCSS_Click(int Index)
{
    cssPopup_ = true;
    JT1.SetFocus();
    if (Index == 0) {
        popupItemChosen_ = false;
        popupShift_ = ShowCSSPopup(std::wstring(L"{"), false);
    } else {
        const std::wstring name = GetCSSContext(JT1.SelStart());
        if (!name.empty()) {
            popupItemChosen_ = false;
            popupShift_ = ShowCSSPopup(name, false);
            if (popupShift_ == 0) {
                ShowInfo(L"No property found on line.");
                return;
            }
        }
    }
    JT1.SetFocus();
}

void fedit::ShowTagInfo()
{
    if (JT1.SelLength() == 0 || !TagsLoaded())
        return;
    const std::wstring name = PanelRules::TagName(JT1.SelText());
    if (name.empty())
        return;
    if (TagDescriptions().Exists(name))
        ShowStatus(TagDescriptions().Item(name));
    else
        ShowStatus(L"No information");
}

void fedit::bTipX_Click(int Index)
{
    if (Index == 0) {
        FrTip.SetVisible(false);
        State().TipKept = false;
    } else {
        State().TipKept = true;
    }
}

void fedit::mReloadMethods_Click()
{
    mFuncPopRe_Click();
}

void fedit::mFuncPopRe_Click()
{
    RedrawLock lock(hwnd);
    BuildFuncPopup();
}

void fedit::mFuncPop_Click()
{
    ShowIncludePanel();
}

void fedit::mMenu1Op_Click()
{
    const bool on = !mMenu1Op.Checked();
    Settings().Menu1On = on;
    mMenu1Op.SetChecked(on);
    Menu1pop.SetVisible(on);
}

void fedit::mMenu2Op_Click()
{
    const bool on = !mMenu2Op.Checked();
    Settings().Menu2On = on;
    mMenu2Op.SetChecked(on);
    Menu2pop.SetVisible(on);
}

void fedit::Menu1pop_Click()
{
    if (Settings().Menu1On)
        CustomMenuAtCaret(true);
}

void fedit::Menu2pop_Click()
{
    if (Settings().Menu2On)
        CustomMenuAtCaret(false);
}

void fedit::CustomMenuAtCaret(bool first)
{
    CloseSidePanels();
    EditorState& s = State();
    s.CustomMenu1Active = first;
    s.CustomMenu2Active = !first;
    fCM* cm = program_.CustomMenuForm();
    if (!cm || !cm->Load())
        return;
    cm->LayoutCustomMenus(first, s.CustomMenuWidth1, s.CustomMenuWidth2);
    (first ? cm->fr1 : cm->fr2).ZOrder(0);
    long x = 0, y = 0;
    GetCaretScreenPos(x, y);
    cm->Move(static_cast<int>(x), static_cast<int>(y));
    cm->Show(vbModeless);
    cm->SetFocus();
    ModFormOps::SetTopMost(cm->hwnd);
}

void fedit::GetCaretScreenPos(long& x, long& y)
{
    long w = 0, h = 0;
    if (fCM* cm = program_.CustomMenuForm()) {
        w = cm->Width();
        h = cm->Height();
    }
    const long left = JT1.Left() + Left();
    const long top = JT1.Top() + Top();
    POINT caret{};
    if (!GetCaretPos(&caret)) {
        x = left + JT1.Width() / 2;
        y = 0;
        return;
    }
    if (!ClientToScreen(JT1.RTBhWnd(), &caret)) {
        x = 0;
        y = 0;
        return;
    }
    PanelRules::Point p = PanelRules::MenuBesideCaret(caret.x * TwipsPerPixelX(), caret.y * TwipsPerPixelY(), w,
                                                      h, left + JT1.Width(), top + JT1.Height());
    x = p.x;
    y = p.y;
}

void fedit::ShowWordTip(long position, bool afterParen)
{
    long start = 0;
    const std::wstring word = JT1.GetLastWord(position, start);
    if (word.empty())
        return;
    std::wstring found;
    if (afterParen)
        found = GetVarObject(word);
    if (found.empty())
        found = GetFuncSignature(word);
    if (found.empty())
        return;
    // Only the same word in its stored case replaces what was typed; a
    // variable's object text is shown but never written over the word.
    const std::wstring spelling = PanelRules::StoredSpelling(word, found);
    if (!spelling.empty() && spelling != word) {
        if (HWND re = JT1.RTBhWnd()) {
            JT1.LockRTB();
            CHARRANGE range{start, start + static_cast<long>(word.size())};
            SendMessageW(re, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
            SendMessageW(re, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(spelling.c_str()));
            JT1.SetSelStart(position);
            JT1.UnLockRTB();
        }
    }
    const EditorType type = CurrentType();
    if (type == EditorType::ASP || type == EditorType::HTML || type == EditorType::VBScript) {
        ShowStatus(found);
        tipSpaceCount_ = ShowParamInfo(found);
    }
}

void fedit::CloseSidePanels()
{
    CloseFind();
    CloseImageViewer();
}

void fedit::CloseImageViewer()
{
    Form* viewer = program_.ToolForm(ToolWindow::ImageViewer);
    if (viewer && viewer->Visible()) {
        viewer->Hide();
        ModFormOps::SetBottomMost(viewer->hwnd);
        FrImageOps.SetVisible(false);
        ClearInfo();
        ClearStatus();
    }
}
