// The main window's handlers of the editor JT1: line and column, the gutter,
// the hand-off of a finished line to the typing glue, Tab, the Ctrl+letter
// hotkeys, the pop-up list and tip keys, and the right-click menu.
#include "EditingPart.h"

#include "fedit.h"

#include "EditorState.h"
#include "ModFormOps.h"
#include "autoinsert/AutoInsert.h"
#include "autoinsert/AutoInsertLists.h"
#include "css/CSSPopup.h"
#include "cTypeDic.h"
#include "SettingsAccess.h"
#include "EditorGlue.h"
#include "snippets/fCM.h"
#include "SettingsRecord.h"

#include <richedit.h>

namespace {

bool IsPage(EditorType t) { return t == EditorType::ASP || t == EditorType::HTML; }

} // namespace

void EditingPart::Place()
{
    T2.MultiLine = true;
    T2.BorderStyle = forms::Border::None;
    T2.Alignment = 1;
    T2.Place(form_, 0, 890, 615, 5000);
    T2.SetLocked(true);
    T2.SetTabStop(false);
    T2.SetBackColor(forms::vbButtonFace);
    JT1.Subclasser = form_.program_.Subclasser();
    JT1.Place(form_, 660, 860, 10580, 5025);
}

void EditingPart::Wire()
{
    JT1.Change = [this] { JT1_OnChange(); };
    JT1.OnSelChange = [this](long& StartPoint, long& SelType) {
        // Wine's RichEdit marks every selection change multi-character, an
        // empty one too: the editor's own selection says whether it is a caret.
        if (SelType == SEL_EMPTY || JT1.SelLength() == 0)
            ShowLineCol(StartPoint);
        // The view may have followed the caret (Enter on the last row).
        FollowEditor();
    };
    JT1.LineEvent = [this](long& LType) { JT1_LineEvent(LType); };
    JT1.NavigationKey = [this](int& Keycode, int Shift) { JT1_NavigationKey(Keycode, Shift); };
    JT1.TabPress = [this] { JT1_TabPress(); };
    JT1.WheelScroll = [this](WPARAM&, LPARAM&) {
        JT1.SetTopLine(JT1.TopLine());   // as at the scroll bar's end
        SyncLineNums();
    };
    JT1.VScroll = [this](WPARAM& wParam1) { JT1_VScroll(wParam1); };
    JT1.KeyDown = [this](int& Keycode, int Shift) { JT1_KeyDown(Keycode, Shift); };
    JT1.KeyPress = [this](int& KeyAscii) { JT1_KeyPress(KeyAscii); };
    JT1.KeyUp = [this](int& Keycode, int Shift) { JT1_KeyUp(Keycode, Shift); };
    JT1.MouseDown = [this](int Button, int, int, int) { JT1_MouseDown(Button); };
    JT1.MouseUp = [this](int Button, int, int, int) { JT1_MouseUp(Button); };
    JT1.MouseMove = [this](int, int, int, int) { JT1_MouseMove(); };
    T2.Click = [this] { FocusEditor(); };
    T2.GotFocus = [this] { FocusEditor(); };
}

void EditingPart::FocusEditor() { JT1.SetFocus(); }

void EditingPart::ShowLineCol(long position)
{
    HWND re = JT1.RTBhWnd();
    if (!re)
        return;
    long line = static_cast<long>(SendMessageW(re, EM_EXLINEFROMCHAR, 0, position));
    long start = static_cast<long>(SendMessageW(re, EM_LINEINDEX, line, 0));
    form_.bars_.ShowLineCol(std::to_wstring(line + 1), std::to_wstring(position - start + 1));
}

void EditingPart::JT1_OnChange()
{
    EditorState& s = State();
    s.LineEdited = true;
    if (!s.SuppressChangeTracking) {
        s.DocChanged = true;
        lineProcessed_ = 0;
    }
}

void EditingPart::JT1_LineEvent(long& LType)
{
    EditorState& s = State();
    long start = 0, end = 0;
    JT1.GetSelection(start, end);
    long line = JT1.GetLineFromChar(start);
    if (line == s.RememberedCaretLine || start != end) {
        const SettingsRecord& rec = Settings();
        if (IsPage(State().EdType) && !rec.NoLineDebug && s.LineDebugOn) {
            RedrawLock lock(form_.hwnd);
            s.InVBSBlockNow = InVBScriptBlock(start);
            s.InVBSBlockPrev = s.InVBSBlockNow;
        }
    } else {
        bool afterEnter = LType == KvRTB::EnterUp;
        RedrawLock lock(form_.hwnd);
        ProcessEditedLine(start, line, afterEnter);
        lineProcessed_ = 1;
    }
    s.RememberedCaretLine = line;
    s.RememberedCaretPos = start;
}

void EditingPart::JT1_NavigationKey(int& Keycode, int& Shift)
{
    if (Shift != 0)
        return;
    SyncLineNums();
    if (!form_.panels_.ListShown())
        return;
    KvListBox& list = form_.panels_.List();
    const int count = list.Count();
    if (count <= 0)
        return;
    const int i = list.ListIndex();
    if (Keycode == VK_UP)
        list.ListIndex(i <= 0 ? count - 1 : i - 1);
    else if (Keycode == VK_DOWN)
        list.ListIndex(i >= count - 1 ? 0 : i + 1);
}

void EditingPart::JT1_TabPress()
{
    if (JT1.ReadOnly())
        return;
    const SettingsRecord& rec = Settings();
    const std::wstring tab = rec.TabAsSpacer && !rec.MoveSpacer.empty() ? rec.MoveSpacer : L"\t";
    long s = JT1.SelStart();
    JT1.SetSelText(tab, true);
    JT1.SetSelStart(s + static_cast<long>(tab.size()));
}

void EditingPart::JT1_VScroll(WPARAM& wParam1)
{
    // The scroll bar leaves part of a line hidden at the top, where the
    // gutter's numbers cannot follow: the top line shows whole once it ends.
    // While the thumb is dragged the gutter follows it line by line.
    if (static_cast<short>(LOWORD(wParam1)) == SB_ENDSCROLL)
        JT1.SetTopLine(JT1.TopLine());
    if (FollowEditor())
        T2.Refresh();
}

void EditingPart::JT1_KeyDown(int& Keycode, int& Shift)
{
    keyTaken_ = false;
    EditorState& s = State();
    if (form_.panels_.ListShown()) {
        if (Keycode == VK_RETURN) {
            Keycode = 0;
            keyTaken_ = true;
            int index = form_.panels_.List().ListIndex();
            if (index >= 0) {
                form_.panels_.popupItemChosen = true;
                form_.panels_.FocusList();
                form_.panels_.BoxPopJ_Click(index);
            }
            return;
        }
        if (Keycode >= VK_PRIOR && Keycode <= VK_DOWN) {
            Keycode = 0;
            keyTaken_ = true;
            return;
        }
        // Escape closes the list and inserts nothing.
        if (Keycode == VK_ESCAPE) {
            Keycode = 0;
            keyTaken_ = true;
            form_.panels_.HideList();
            form_.panels_.cssPopup = false;
            form_.panels_.popupItemChosen = false;
            return;
        }
    }
    if (form_.panels_.TipShown() && !s.TipKept) {
        if (Keycode == VK_RETURN) {
            form_.panels_.HideTip();
        } else if (Keycode == VK_SPACE) {
            --form_.panels_.tipSpaceCount;
            if (form_.panels_.spaceTip || form_.panels_.tipSpaceCount <= 0)
                form_.panels_.HideTip();
        }
    }
    form_.panels_.spaceTip = false;
    const bool ctrl = Shift == 2 || Shift == 3;
    if (!ctrl) {
        JT1.SetSelColor(0);  // typed text starts black
        return;
    }
    if (Keycode >= 'A' && Keycode <= 'Z') {
        int key = Keycode;
        Keycode = 0;
        keyTaken_ = true;
        RunHotkey(key);
    }
}

void EditingPart::RunHotkey(int keyCode)
{
    const SettingsRecord& rec = Settings();
    if (keyCode == rec.Menu1Key && rec.Menu1On) {
        ShowCustomMenu(1);
        return;
    }
    if (keyCode == rec.Menu2Key && rec.Menu2On) {
        ShowCustomMenu(2);
        return;
    }
    cTypeDic* dic = form_.program_.TypeDictionary();
    if (dic && dic->CheckKShortcuts(static_cast<long>(keyCode)))
        return;
    form_.ShowInfo(L"(Ctrl + " + std::wstring(1, static_cast<wchar_t>(keyCode)) +
             L") is not an assigned hotkey. See Program Settings.");
}

void EditingPart::JT1_KeyPress(int& KeyAscii)
{
    // The character of a Ctrl+letter the key-down took (Ctrl+M a line
    // break, Ctrl+H a backspace) never reaches the text.
    if (keyTaken_ && KeyAscii < 32)
        KeyAscii = 0;
}

void EditingPart::JT1_KeyUp(int& Keycode, int& Shift)
{
    long position = JT1.SelStart();
    if (keyTaken_) {
        keyTaken_ = false;
        return;
    }
    if (form_.panels_.ListShown()) {
        PopupKeyUp(Keycode, Shift, position);
        return;
    }
    if (Shift >= 2 || position < 2)
        return;
    EditorState& s = State();
    const EditorType type = State().EdType;
    auto closeTip = [&] {
        if (!s.TipKept) {
            form_.panels_.HideTip();
            form_.panels_.spaceTip = false;
        }
    };
    auto memberPopup = [&] {
        // A period in a string or a comment is text.
        const long lineStart = JT1.GetLineIndex(JT1.GetLineFromChar(position));
        if (AutoInsertLists::InStringOrComment(JT1.GetTextRange(lineStart, position),
                                               type == EditorType::JavaScript))
            return false;
        long wordStart = 0;
        std::wstring word = JT1.GetLastWord(position, wordStart);
        if (!word.empty() && CheckVarList(word)) {
            form_.panels_.popupShift = ShowMemberPopup(word);
            return true;
        }
        return false;
    };
    auto cssPopup = [&](const std::wstring& text, bool typed) {
        form_.panels_.popupItemChosen = false;
        form_.panels_.popupShift = ShowCSSPopup(text, typed);
    };
    if (IsPage(type)) {
        if (Shift == 0) {
            if (Keycode == VK_SPACE) {
                form_.panels_.spaceTip = true;
                if (!form_.panels_.TipShown() && s.InVBSBlockPrev != 0)
                    form_.ShowWordTip(position, false);
            } else if (Keycode == VK_F11 || Keycode == VK_F12) {
                std::wstring context = Keycode == VK_F11 ? L"{" : GetCSSContext(position);
                if (!context.empty())
                    cssPopup(context, false);
                form_.panels_.cssPopup = true;
                FocusEditor();
            } else if (Keycode == VK_OEM_PERIOD) {
                {
                    RedrawLock lock(form_.hwnd);
                    s.InVBSBlockNow = InVBScriptBlock(position);
                }
                if ((s.InVBSBlockNow == 1 || s.InVBSBlockNow == 2) && memberPopup())
                    return;
                s.InVBSBlockPrev = s.InVBSBlockNow;
            }
        } else if (Shift == 1) {
            if (Keycode == '0')
                closeTip();
            else if (Keycode == '9' && !form_.panels_.TipShown() && s.InVBSBlockPrev != 0)
                form_.ShowWordTip(position, true);
        }
    } else if (type == EditorType::CSS) {
        if (Shift == 0 && (Keycode == VK_F11 || Keycode == VK_F12)) {
            std::wstring context = Keycode == VK_F11 ? L"{" : GetCSSContext(position);
            if (!context.empty())
                cssPopup(context, false);
        } else if (Shift == 1 && Keycode == VK_OEM_1) {
            std::wstring context = GetCSSContext(position);
            if (!context.empty())
                cssPopup(context, true);
        } else if (Shift == 1 && Keycode == VK_OEM_4) {
            cssPopup(L"{", true);
        }
    } else if (type == EditorType::VBScript || type == EditorType::JavaScript) {
        if (Shift == 0) {
            if (Keycode == VK_SPACE) {
                form_.panels_.spaceTip = true;
                if (!form_.panels_.TipShown())
                    form_.ShowWordTip(position, false);
            } else if (Keycode == VK_OEM_PERIOD && memberPopup()) {
                return;
            }
        } else if (Shift == 1) {
            if (Keycode == '0')
                closeTip();
            else if (Keycode == '9' && !form_.panels_.TipShown())
                form_.ShowWordTip(position, true);
        }
        if (form_.mWrap.Checked()) {
            long line = JT1.GetLineFromChar(position);
            if (line != lastGutterLine_)
                SyncLineNums();
            lastGutterLine_ = line;
        }
    }
}

void EditingPart::PopupKeyUp(int keyCode, int shift, long position)
{
    if (keyCode == VK_SPACE) {
        form_.panels_.HideList();
        form_.panels_.cssPopup = false;
        form_.panels_.popupItemChosen = false;
        return;
    }
    EditorType type = State().EdType;
    if (form_.panels_.cssPopup && IsPageType(type))
        type = EditorType::CSS;
    std::wstring typed;
    if (type == EditorType::CSS) {
        if (keyCode == VK_OEM_1 && shift == 0) {
            form_.panels_.HideList();
            form_.panels_.cssPopup = false;
            form_.panels_.popupItemChosen = false;
            return;
        }
        long partial = 0, valuePosition = 0;
        std::wstring rule = GetCSSRule(position, partial, valuePosition);
        typed = rule.substr(rule.size() - std::min<size_t>(rule.size(), static_cast<size_t>(std::max(partial, 0L))));
    } else if (type != EditorType::None) {
        const long from = std::max(0L, position - 6);
        long dot = JT1.Find(L".", from, position, 1);
        if (dot >= 0 && dot < position)
            typed = JT1.GetTextRange(dot + 1, position);
    }
    if (typed.empty())
        return;
    form_.panels_.List().SelWord(typed);
    if (form_.panels_.popupShift != 0)
        form_.panels_.ShiftList();
}

void EditingPart::JT1_MouseDown(int Button)
{
    if (Button != 1)
        return;
    SaveScrollPos();
    EditorState& s = State();
    s.RememberedCaretPos = JT1.SelStart();
    s.RememberedCaretLine = JT1.GetLineFromChar(s.RememberedCaretPos);
}

void EditingPart::JT1_MouseUp(int Button)
{
    form_.panels_.HideList();
    form_.panels_.popupItemChosen = false;
    if (Button != 2)
        return;
    const EditorState& s = State();
    const SettingsRecord& rec = Settings();
    form_.PopUndo.SetEnabled(JT1.CanUndo());
    form_.PopRedo.SetEnabled(JT1.CanRedo());
    form_.mPasteClip1.SetEnabled(!s.Clip1.empty());
    form_.mPasteClip2.SetEnabled(!s.Clip2.empty());
    const EditorType type = State().EdType;
    if (type == EditorType::None || IsPage(type)) {
        const bool inScript = s.InVBSBlockNow >= 1;
        form_.mComPop.SetVisible(inScript);
        form_.mUnComPop.SetVisible(inScript);
        form_.mLineCase.SetVisible(inScript);
    }
    form_.Menu1pop.SetEnabled(rec.Menu1On);
    form_.Menu2pop.SetEnabled(rec.Menu2On);
    form_.PopupMenu(form_.mPop);
}

void EditingPart::JT1_MouseMove()
{
    form_.bars_.FlattenHoveredButton();
    // The hover outline of the auto-insert buttons goes once the mouse is
    // over the editor.
    form_.bars_.HideOutlineBoxes();
}

void EditingPart::ShowCustomMenu(int menu)
{
    form_.CustomMenuAtCaret(menu == 1);
}
