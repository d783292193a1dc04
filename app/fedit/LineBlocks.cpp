// The commands that rewrite many lines at once: comment, uncomment, indent
// and outdent the selected lines, upper-case the HTML tags, and turn the
// screen's line ends into hard line breaks. The engines beside this file
// work out the new text; here it goes into the editor.
//
// The block commands act on the lines of the text: with word wrap on, a
// wrapped line is still one line, and no marker lands inside it.
#include "EditingPart.h"

#include "fedit.h"
#include "platform/Text.h"

#include "ClsColorEditor.h"
#include "EditorState.h"
#include "LineBlocksEngine.h"
#include "SettingsAccess.h"
#include "RichEditStream.h"
#include "forms/Runtime.h"
#include "platform/Messages.h"
#include "SettingsRecord.h"

#include <richedit.h>

namespace {

std::wstring WholeText(const KvRTB& editor) { return RichEditStream::GetRange(editor.RTBhWnd(), 0, -1); }

// Starts of the lines of s, and the end as the last entry.
std::vector<size_t> LineStarts(const std::wstring& s)
{
    std::vector<size_t> starts{0};
    const long n = static_cast<long>(s.size());
    for (long end = platform::LineEnd(s, 0); end < n; end = platform::LineEnd(s, end + platform::BreakLength(s, end)))
        starts.push_back(static_cast<size_t>(end + platform::BreakLength(s, end)));
    starts.push_back(s.size() + 1);
    return starts;
}

} // namespace

// Wine's RichEdit takes, for each line break it deletes, time in proportion
// to the whole document: a block rewritten whole costs seconds on a long page.
// The lines change only inside themselves, so each changed line gets its own
// small edit instead, the last line first to keep the earlier places valid.
void EditingPart::ApplyBlockEdit(const std::wstring& text, const TextEdit& edit)
{
    if (!edit.changed)
        return;
    const std::wstring old = text.substr(edit.start, edit.end - edit.start);
    const std::vector<size_t> a = LineStarts(old), b = LineStarts(edit.with);
    if (a.size() != b.size()) {
        ClsColorEditor::ForgetColours(JT1.RTBhWnd());
        ApplyEdit(edit);
        return;
    }
    // The change flags are set once, not per line.
    std::vector<KvRTB::Replacement> lines;
    for (size_t k = a.size() - 1; k-- > 0;) {
        const std::wstring from = old.substr(a[k], a[k + 1] - 1 - a[k]);
        const std::wstring to = edit.with.substr(b[k], b[k + 1] - 1 - b[k]);
        TextEdit line = TextEdit::Between(from, to);
        if (!line.changed)
            continue;
        const long at = edit.start + static_cast<long>(a[k]);
        lines.push_back({at + line.start, at + line.end, std::move(line.with)});
    }
    JT1.ReplaceRanges(lines);
    ClsColorEditor::TextReplaced(JT1.RTBhWnd(), text, lines);
    JT1_OnChange();
    JT1.SetSelection(edit.selStart, edit.selEnd);
}

// The line edits above are not undoable: an Undo left afterwards would take
// back only a colour, or replay older steps at places the block moved.
void EditingPart::EndBlockEdit()
{
    JT1.ClearUndoBuffer();
}

void EditingPart::CommentLines()
{
    long s = 0, e = 0;
    JT1.GetSelection(s, e);
    if (s == e)
        return;
    const SettingsRecord& rec = Settings();
    RedrawLock lock(form_.hwnd);
    SaveScrollPos();
    const std::wstring text = WholeText(JT1);
    TextEdit edit = LineBlocks::CommentLines(text, s, e, rec.CommentMark);
    if (edit.changed) {
        ApplyBlockEdit(text, edit);
        JT1.SetSelColor(static_cast<COLORREF>(rec.ColorComment));
        ClsColorEditor::RangeColoured(JT1.RTBhWnd(), edit.selStart, edit.selEnd,
                                      static_cast<COLORREF>(rec.ColorComment));
        JT1.SetSelStart(edit.selEnd);
        JT1.SetSelColor(0);
        EndBlockEdit();
    }
    RestoreScrollPos();
}

void EditingPart::UncommentLines()
{
    long s = 0, e = 0;
    JT1.GetSelection(s, e);
    const EditorType type = State().EdType;
    if (s == e || type != EditorType::VBScript)
        return;
    EditorState& st = State();
    RedrawLock lock(form_.hwnd);
    SaveScrollPos();
    const std::wstring text = WholeText(JT1);
    TextEdit edit = LineBlocks::UncommentLines(text, s, e, Settings().CommentMark, type);
    const bool colour = !SettingsAccess::NoColorCode() && st.ColorCodeOn && st.Colorer;
    // A long document coloured whole is built anew in a fresh window: the
    // new text goes there at once, without first being edited line by line
    // in place, which costs Wine's RichEdit milliseconds a line.
    if (edit.changed && colour &&
        ClsColorEditor::ReplaceLongText(*st.Colorer, JT1, type, edit.Apply(text), edit.selStart, edit.selStart)) {
        JT1_OnChange();
    } else if (edit.changed) {
        ApplyBlockEdit(text, edit);
        if (colour) {
            st.SuppressChangeTracking = true;
            ClsColorEditor::ColorVBS(*st.Colorer, JT1, 0, -1);
            st.SuppressChangeTracking = false;
        }
        JT1.SetSelStart(edit.selStart);
        EndBlockEdit();
    }
    RestoreScrollPos();
    st.LineEdited = false;
    st.DocChanged = true;
}

void EditingPart::IndentLines(short mode)
{
    long s = 0, e = 0;
    JT1.GetSelection(s, e);
    if (s == e)
        return;
    const std::wstring text = WholeText(JT1);
    const TextEdit edit = LineBlocks::IndentLines(text, s, e, Settings().MoveSpacer, mode);
    if (!edit.changed)
        return;
    ApplyBlockEdit(text, edit);
    EndBlockEdit();
}

void EditingPart::UpperCaseTags()
{
    EditorState& st = State();
    try {
        const std::wstring text = WholeText(JT1);
        const std::wstring upper = LineBlocks::UpperCaseTags(text);
        if (upper == text)
            return;
        JT1.SetSelStart(0);
        // Colouring writes the page's text anyway: it writes the new one.
        const bool colour = !SettingsAccess::NoColorCode() && st.ColorCodeOn && st.Colorer;
        if (!colour || !ClsColorEditor::ColorHTMLText(*st.Colorer, JT1, upper)) {
            ApplyEdit(TextEdit::Between(text, upper));
            JT1.SetSelStart(0);
            if (colour)
                ClsColorEditor::ColorHTML(*st.Colorer, JT1, 0, -1);
        }
        st.DocChanged = true;
    } catch (...) {
        st.SuppressChangeTracking = false;
        form_.ShowInfo(L"Error with uppercase function.");
    }
}

void EditingPart::InsertReturns()
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
        JT1.SetSelText(L"\r");
    }
    JT1.SelNone();
}

// ---- Menu commands ------------------------------------------------------------

void EditingPart::mCom_Click() { CommentLines(); }

void EditingPart::mUnCom_Click() { UncommentLines(); }

void EditingPart::mUpHTML_Click()
{
    forms::Hourglass busy;
    JT1.SetEnabled(false);
    forms::DoEvents();
    {
        RedrawLock lock(form_.hwnd);
        UpperCaseTags();
    }
    JT1.SetEnabled(true);
}

void EditingPart::mInsertRet_Click()
{
    if (JT1.LenText() == 0)
        return;
    if (platform::ShowMessage(L"Insert carriage returns at the end of each line as currently formatted?",
                              platform::MessageStyle::YesNo, form_.hwnd) != IDYES)
        return;
    forms::Hourglass busy;
    RedrawLock lock(form_.hwnd);
    InsertReturns();
}
