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

void fedit::ShowTagInfo()
{
    if (editing_.JT1.SelLength() == 0 || !TagsLoaded())
        return;
    const std::wstring name = PanelRules::TagName(editing_.JT1.SelText());
    if (name.empty())
        return;
    if (TagDescriptions().Exists(name))
        ShowStatus(TagDescriptions().Item(name));
    else
        ShowStatus(L"No information");
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
    const long left = editing_.JT1.Left() + Left();
    const long top = editing_.JT1.Top() + Top();
    POINT caret{};
    if (!GetCaretPos(&caret)) {
        x = left + editing_.JT1.Width() / 2;
        y = 0;
        return;
    }
    if (!ClientToScreen(editing_.JT1.RTBhWnd(), &caret)) {
        x = 0;
        y = 0;
        return;
    }
    PanelRules::Point p = PanelRules::MenuBesideCaret(caret.x * TwipsPerPixelX(), caret.y * TwipsPerPixelY(), w,
                                                      h, left + editing_.JT1.Width(), top + editing_.JT1.Height());
    p = PanelRules::OnScreen(p, w, h, GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX(),
                             GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY());
    x = p.x;
    y = p.y;
}

void fedit::ShowWordTip(long position, bool afterParen)
{
    long start = 0;
    const std::wstring word = editing_.JT1.GetLastWord(position, start);
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
    // JavaScript names are case-sensitive: escape is not Escape.
    const EditorType type = CurrentType();
    const std::wstring spelling =
        type == EditorType::JavaScript ? std::wstring() : PanelRules::StoredSpelling(word, found);
    if (!spelling.empty() && spelling != word) {
        if (HWND re = editing_.JT1.RTBhWnd()) {
            editing_.JT1.LockRTB();
            CHARRANGE range{start, start + static_cast<long>(word.size())};
            SendMessageW(re, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
            SendMessageW(re, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(spelling.c_str()));
            editing_.JT1.SetSelStart(position);
            editing_.JT1.UnLockRTB();
        }
    }
    if (type == EditorType::ASP || type == EditorType::HTML || type == EditorType::VBScript) {
        ShowStatus(found);
        panels_.tipSpaceCount = ShowParamInfo(found);
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
        panels_.FrImageOps.SetVisible(false);
        ClearInfo();
        ClearStatus();
    }
}
