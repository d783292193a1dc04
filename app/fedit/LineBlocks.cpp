// The commands that rewrite many lines at once: comment, uncomment, indent
// and outdent the selected lines, upper-case the HTML tags, and turn the
// screen's line ends into hard line breaks. The engines beside this file
// work out the new text; here it goes into the editor.
//
// The block commands act on the lines of the text: with word wrap on, a
// wrapped line is still one line, and no marker lands inside it.
#include "fedit.h"

#include "ClsColorEditor.h"
#include "EditorState.h"
#include "LineBlocksEngine.h"
#include "SettingsAccess.h"
#include "RichEditStream.h"
#include "forms/Runtime.h"
#include "platform/Messages.h"
#include "settings-library/record/SettingsRecord.h"

#include <richedit.h>

namespace {

std::wstring WholeText(const KvRTB& editor) { return RichEditStream::GetRange(editor.RTBhWnd(), 0, -1); }

} // namespace

void fedit::CommentLines()
{
    long s = 0, e = 0;
    JT1.GetSelection(s, e);
    if (s == e)
        return;
    const SettingsRecord& rec = Settings();
    RedrawLock lock(hwnd);
    SaveScrollPos();
    TextEdit edit = LineBlocks::CommentLines(WholeText(JT1), s, e, rec.CommentMark);
    if (edit.changed) {
        ApplyEdit(edit);
        JT1.SelColor(static_cast<COLORREF>(rec.ColorComment));
        JT1.SelStart(edit.selEnd);
        JT1.SelColor(0);
    }
    RestoreScrollPos();
}

void fedit::UncommentLines()
{
    long s = 0, e = 0;
    JT1.GetSelection(s, e);
    const EditorType type = SettingsAccess::LastEdType();
    if (s == e || type != EditorType::VBScript)
        return;
    EditorState& st = State();
    RedrawLock lock(hwnd);
    SaveScrollPos();
    TextEdit edit = LineBlocks::UncommentLines(WholeText(JT1), s, e, Settings().CommentMark, type);
    if (edit.changed) {
        ApplyEdit(edit);
        if (!SettingsAccess::NoColorCode() && st.ColorCodeOn && st.Colorer) {
            st.SuppressChangeTracking = true;
            ClsColorEditor::ColorVBS(*st.Colorer, JT1, 0, -1);
            st.SuppressChangeTracking = false;
        }
        JT1.SelStart(edit.selStart);
    }
    RestoreScrollPos();
    st.LineEdited = false;
    st.DocChanged = true;
}

void fedit::IndentLines(short mode)
{
    long s = 0, e = 0;
    JT1.GetSelection(s, e);
    if (s == e)
        return;
    ApplyEdit(LineBlocks::IndentLines(WholeText(JT1), s, e, Settings().MoveSpacer, mode));
}

void fedit::UpperCaseTags()
{
    EditorState& st = State();
    try {
        const std::wstring text = WholeText(JT1);
        TextEdit edit = TextEdit::Between(text, LineBlocks::UpperCaseTags(text));
        ApplyEdit(edit);
        JT1.SelStart(0);
        if (!SettingsAccess::NoColorCode() && st.ColorCodeOn && st.Colorer) {
            st.SuppressChangeTracking = true;
            ClsColorEditor::ColorHTML(*st.Colorer, JT1, 0, -1);
            st.SuppressChangeTracking = false;
        }
        st.DocChanged = true;
    } catch (...) {
        st.SuppressChangeTracking = false;
        ShowInfo(L"Error with uppercase function.");
    }
}

void fedit::InsertReturns()
{
    HWND re = JT1.RTBhWnd();
    const long length = JT1.LenText();
    if (!re || length == 0)
        return;
    const long last = JT1.GetLineFromChar(length - 1);
    if (last < 2)
        return;
    std::vector<long> starts;
    starts.reserve(static_cast<size_t>(last) + 1);
    for (long i = 0; i <= last; ++i)
        starts.push_back(static_cast<long>(SendMessageW(re, EM_LINEINDEX, i, 0)));
    const std::wstring text = WholeText(JT1);
    // Last first, so the earlier positions stay where they were.
    for (long at : LineBlocks::ReturnPositions(text, starts)) {
        JT1.SetSelection(at, at);
        JT1.SelText(L"\r");
    }
    JT1.SelNone();
}

// ---- Menu commands ------------------------------------------------------------

void fedit::mCom_Click() { CommentLines(); }

void fedit::mUnCom_Click() { UncommentLines(); }

void fedit::mUpHTML_Click()
{
    forms::Hourglass busy;
    JT1.Enabled(false);
    forms::DoEvents();
    {
        RedrawLock lock(hwnd);
        UpperCaseTags();
    }
    JT1.Enabled(true);
}

void fedit::mInsertRet_Click()
{
    if (JT1.LenText() == 0)
        return;
    if (platform::ShowMessage(L"Insert carriage returns at the end of each line as currently formatted?",
                              platform::MessageStyle::YesNo, hwnd) != IDYES)
        return;
    forms::Hourglass busy;
    RedrawLock lock(hwnd);
    InsertReturns();
}
