#include "FindEngine.h"

#include "CSubclass.h"
#include "ClsColorEditor.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "ffind.h"
#include "modfind.h"
#include "RichEditStream.h"
#include "SettingsAccess.h"
#include "EditorGlue.h"
#include "forms/Runtime.h"
#include "platform/Messages.h"
#include "platform/Text.h"

#include <richedit.h>

#include <cwchar>
#include <new>
#include <vector>

namespace modfind {

namespace {

const wchar_t Q = L'"';
// Yes and No, question icon, topmost; OK, information icon, topmost.
constexpr UINT kAskStyle = 0x40024, kInfoStyle = 0x40040;

std::wstring StringTable(UINT id) { return forms::LoadResString(id); }

// Selects a forward hit and notes where the next forward search starts.
SearchResult ShowHit(KvRTB& editor, long hit, long length)
{
    editor.SetSelRange(hit, length);
    Finder().NextFindStart = hit + 1;
    return {Outcome::Hit, hit, length};
}

// Steps 1-2 of the forward searches: a forward miss stops them, a backward
// miss is forgotten.
bool ForwardSearchMayRun()
{
    FindState& st = Finder();
    if (st.Field == FieldState::ForwardMiss)
        return false;
    st.Field = FieldState::Ready;
    return true;
}

SearchResult ForwardMiss()
{
    Finder().NextFindStart = 0;
    Finder().Field = FieldState::ForwardMiss;
    return {Outcome::Miss, -1, 0};
}

// Every hit of text from start to end (-1: the end of the text), the search
// going on after each whole hit, as replacing them one after another finds them.
std::vector<long> HitsFrom(const KvRTB& editor, const std::wstring& text, long start, long end, long flags)
{
    std::vector<long> hits;
    const long length = static_cast<long>(text.size());
    for (long at = start;;) {
        long hit = editor.Find(text, at, end, flags);
        if (hit < 0 || hit < at)
            break;
        hits.push_back(hit);
        at = hit + length;
        if (end >= 0 && at >= end)
            break;
    }
    return hits;
}

// The hits of a search over the whole text, found in the text as read once:
// the RichEdit walks from the start of the text to every place it searches
// from, which on a long page came to a fifth of a second for a thousand
// hits. Only where its matching is plain to follow: no whole words, nothing
// but visible characters in the searched text, and, without case, none of
// the few letters whose other case is an ASCII letter (dotted and dotless I,
// long s, the Kelvin sign). False when the RichEdit must search.
bool HitsInText(const std::wstring& all, const std::wstring& text, long start, long flags, std::vector<long>& hits)
{
    if ((flags & kFindWholeWord) || text.empty() || start < 0)
        return false;
    const bool matchCase = (flags & kFindMatchCase) != 0;
    for (wchar_t c : text)
        if (c < L' ' || (!matchCase && c > 0x7E))
            return false;
    if (!matchCase)
        for (wchar_t c : all)
            if (c == 0x130 || c == 0x131 || c == 0x17F || c == 0x212A)
                return false;
    auto fold = [matchCase](wchar_t c) { return !matchCase && c >= L'a' && c <= L'z' ? c - 32 : c; };
    std::wstring key;
    for (wchar_t c : text)
        key += static_cast<wchar_t>(fold(c));
    const size_t n = all.size(), m = key.size();
    for (size_t at = static_cast<size_t>(start); at + m <= n;) {
        size_t k = 0;
        while (k < m && fold(all[at + k]) == key[k])
            ++k;
        if (k == m) {
            hits.push_back(static_cast<long>(at));
            at += m;
        } else {
            ++at;
        }
    }
    return true;
}

// Each hit replaced as its own undoable edit. Wine's RichEdit draws, moves
// its caret and raises its events after every edit, and every message
// through the control's subclass costs server round trips: with a thousand
// hits that came to seconds. The edits go straight to the RichEdit, last
// hit first so the earlier places stay valid, with drawing and events off.
void ReplaceHits(KvRTB& editor, const std::vector<KvRTB::Replacement>& edits)
{
    HWND re = editor.RTBhWnd();
    auto send = [&](UINT msg, WPARAM wp, LPARAM lp) { return SendPastSubclasses(re, msg, wp, lp); };
    const LRESULT mask = send(EM_SETEVENTMASK, 0, 0);
    const bool focused = GetFocus() == re;
    if (focused)
        SetFocus(nullptr);
    send(WM_SETREDRAW, FALSE, 0);
    for (const KvRTB::Replacement& r : edits) {
        CHARRANGE cr{r.start, r.end};
        send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(r.text.c_str()));
    }
    send(WM_SETREDRAW, TRUE, 0);
    if (focused && IsWindow(re))
        SetFocus(re);
    send(EM_SETEVENTMASK, 0, mask);
    InvalidateRect(re, nullptr, TRUE);
}

// The text with the edits made, in their order (the last place first),
// written in one pass from the front.
std::wstring Edited(const std::wstring& text, const std::vector<KvRTB::Replacement>& edits)
{
    std::wstring out;
    size_t from = 0;
    for (auto r = edits.rbegin(); r != edits.rend(); ++r) {
        out.append(text, from, static_cast<size_t>(r->start) - from);
        out += r->text;
        from = static_cast<size_t>(r->end);
    }
    out.append(text, from, std::wstring::npos);
    return out;
}

// Makes the replacements of a replace-all, undoably. Wine's RichEdit takes
// some 2 ms an edit on a long page, whatever the route: a long coloured page
// is written anew, coloured, in a fresh window instead, and the replaced
// window is kept for Undo. The last hit is replaced there first, so that it
// has a step to undo, and one Undo brings the whole old text back.
// before: the whole text before the edits.
void ApplyEdits(KvRTB& editor, const std::vector<KvRTB::Replacement>& edits, long caret, const std::wstring& before)
{
    const EditorState& es = State();
    const bool coloured = edits.size() > 1 && !SettingsAccess::NoColorCode() && es.ColorCodeOn && es.Colorer;
    size_t done = 0;
    if (coloured) {
        ReplaceHits(editor, {edits.front()});
        done = 1;
        if (ClsColorEditor::ReplaceLongText(*es.Colorer, editor, State().EdType, Edited(before, edits),
                                            caret, caret, true))
            return;
    }
    ReplaceHits(editor, std::vector<KvRTB::Replacement>(edits.begin() + done, edits.end()));
    ClsColorEditor::TextReplaced(editor.RTBhWnd(), before, edits);
}

// Whole-text recolouring by the document's type, when colouring is on.
void RecolourDocument()
{
    // The same pass that follows an undo: the text changed in a few places,
    // and only what differs from the last colouring is rewritten.
    RecolourAfterUndo();
}

} // namespace

long SearchFlags(bool wholeWord, bool matchCase)
{
    return kFindForward + (wholeWord ? kFindWholeWord : 0) + (matchCase ? kFindMatchCase : 0);
}

COLORREF FieldColour(FieldState state)
{
    switch (state) {
    case FieldState::ForwardMiss:
        return 0x95A6BD;
    case FieldState::BackwardMiss:
        return 0x8FA2BA;
    default:
        return 0xFFFFFF;
    }
}

FindState& Finder()
{
    static FindState state;
    return state;
}

void ResetFinder() { Finder() = FindState{}; }

void FieldEdited()
{
    Finder().NextFindStart = 0;
    Finder().Field = FieldState::Ready;
}

void OptionClicked() { Finder().Field = FieldState::Ready; }

bool ResolveFindText(const FindField& field, std::wstring& text)
{
    text = field.find;
    if (!field.asc)
        return true;
    std::wstring code = platform::TrimBlanks(field.find);
    bool valid = !code.empty() && code.size() <= 3;
    for (wchar_t c : code)
        valid = valid && c >= L'0' && c <= L'9';
    long value = valid ? std::wcstol(code.c_str(), nullptr, 10) : 0;
    if (value < 1 || value > 255) {
        FindInfoBox(StringTable(175));
        return false;
    }
    const char byte = static_cast<char>(value);
    text = platform::FromCodePage(&byte, 1);
    return !text.empty();
}

SearchResult FindFromTop(KvRTB& editor, const FindField& field, long flags)
{
    std::wstring text;
    if (editor.LenText() == 0 || !ForwardSearchMayRun() || field.find.empty() || !ResolveFindText(field, text))
        return {};
    long hit = editor.Find(text, 0, -1, flags);
    Finder().LastHitPos = hit;
    return hit >= 0 ? ShowHit(editor, hit, static_cast<long>(text.size())) : ForwardMiss();
}

SearchResult FindNext(KvRTB& editor, const FindField& field, long flags, bool fromCaret)
{
    if (!ForwardSearchMayRun())
        return {};
    FindState& st = Finder();
    if (fromCaret)
        st.NextFindStart = editor.SelStart();
    std::wstring text;
    if (field.find.empty() || !ResolveFindText(field, text))
        return {};
    st.LastHitPos = editor.Find(text, st.NextFindStart, -1, flags);
    return st.LastHitPos >= 0 ? ShowHit(editor, st.LastHitPos, static_cast<long>(text.size())) : ForwardMiss();
}

SearchResult FindPrevious(KvRTB& editor, const FindField& field, long flags)
{
    FindState& st = Finder();
    if (st.Field == FieldState::BackwardMiss)
        return {};
    st.Field = FieldState::Ready;
    const long caret = editor.SelStart();
    std::wstring text;
    if (editor.LenText() == 0 || caret < 2 || field.find.empty() || !ResolveFindText(field, text))
        return {};
    // The range ends before the character in front of the caret, so an
    // occurrence that ends at the caret is passed over.
    const long length = static_cast<long>(text.size());
    long last = -1;
    for (long at = 0; at + length <= caret - 1;) {
        long hit = editor.Find(text, at, caret - 1, flags);
        if (hit < at)
            break;
        last = hit;
        at = hit + 1;
    }
    if (last < 0) {
        st.Field = FieldState::BackwardMiss;
        return {Outcome::Miss, -1, 0};
    }
    editor.SetSelRange(last, length);
    return {Outcome::Hit, last, length};
}

bool ReplaceOne(KvRTB& editor, const FindField& field)
{
    if (editor.SelLength() == 0) {
        FindInfoBox(StringTable(147));
        return false;
    }
    std::wstring text;
    if (!ResolveFindText(field, text))
        return false;
    if (field.replacement.empty() &&
        FindAskBox(L"No text entered. Delete " + std::wstring(1, Q) + text + Q + L"?", kAskStyle) == IDNO)
        return false;
    FindState& st = Finder();
    st.ReplaceText = field.replacement;
    editor.SetSelText(st.ReplaceText, true);
    editor.SelNone();
    st.Replaced = true;
    EditorState& es = State();
    if (st.ReplaceText.size() >= 3 && !SettingsAccess::NoColorCode() && es.ColorCodeOn)
        RecolourDocument();
    es.LineEdited = false;
    es.DocChanged = true;
    return true;
}

long ReplaceAll(KvRTB& editor, const FindField& field, long flags, bool fromCaret)
{
    const bool selectionOnly = field.inSelection;
    long caret = 0, selLength = 0;
    editor.GetSelRange(caret, selLength);
    if (selectionOnly && selLength == 0)
        return -1;
    FindState& st = Finder();
    st.NextFindStart = fromCaret || selectionOnly ? caret : 0;
    if (field.find == field.replacement) {
        FindInfoBox(StringTable(137));
        return -1;
    }
    std::wstring text;
    if (field.find.empty() || !ResolveFindText(field, text))
        return -1;
    if (field.replacement.empty() &&
        FindAskBox(L"No text entered. Delete all instances of " + std::wstring(1, Q) + text + Q + L"?",
                   kAskStyle) == IDNO)
        return -1;

    long count = 0;
    bool failed = false;
    const long end = selectionOnly ? caret + selLength : -1;
    long newEnd = end;
    {
        forms::Hourglass busy;
        forms::DoEvents();
        RedrawLock lock(Host() ? Host()->Window() : nullptr);
        st.LastHitPos = 0;
        st.ReplaceText = field.replacement;
        try {
            const std::wstring before = RichEditStream::GetRange(editor.RTBhWnd(), 0, -1);
            std::vector<long> hits;
            if (end >= 0 || !HitsInText(before, text, st.NextFindStart, flags, hits))
                hits = HitsFrom(editor, text, st.NextFindStart, end, flags);
            std::vector<KvRTB::Replacement> edits;
            edits.reserve(hits.size());
            for (auto h = hits.rbegin(); h != hits.rend(); ++h)
                edits.push_back({*h, *h + static_cast<long>(text.size()), field.replacement});
            if (!edits.empty())
                ApplyEdits(editor, edits, caret, before);
            count = static_cast<long>(edits.size());
            st.LastHitPos = -1;
            // The range follows the text's growth or shrinking, so that the
            // selection afterwards holds exactly what was replaced in it.
            if (selectionOnly)
                newEnd = end + count * (static_cast<long>(field.replacement.size()) - static_cast<long>(text.size()));
        } catch (const std::bad_alloc&) {
            failed = true;
        }
        editor.SetSelStart(caret);
        if (selectionOnly && !failed)
            editor.SetSelection(caret, newEnd);
    }
    if (count > 0) {
        State().DocChanged = true;
        st.Replaced = true;
    }
    st.NextFindStart = 0;
    if (failed) {
        FindInfoBox(StringTable(138));
        return -1;
    }
    FindInfoBox(std::to_wstring(count) + L" replacements made.");
    return count;
}

bool GoToProcedure(KvRTB& editor, const std::wstring& name)
{
    if (name.empty())
        return false;
    // From the first character: a declaration at the very start of the text
    // is one the procedure list offers too.
    long hit = editor.Find(L"Sub " + name + L"(", 0, -1, kFindForward);
    if (hit < 0)
        hit = editor.Find(L"Function " + name + L"(", 0, -1, kFindForward);
    if (hit < 0)
        return false;
    const long line = editor.GetLineFromChar(hit);
    editor.SetSelStart(editor.GetLineIndex(line));
    SendMessageW(editor.RTBhWnd(), EM_SCROLLCARET, 0, 0);
    const long top = editor.TopLine();
    if (line > top + 5) {
        long by = line - top - 2;
        long room = editor.TotalLines() - editor.BottomLine();
        if (by > room)
            by = room;
        if (by > 0)
            editor.Scroll(by);
    }
    return true;
}

namespace {

HWND BoxOwner()
{
    if (FindVisible())
        return FindWindow().hwnd;
    return Host() ? Host()->Window() : nullptr;
}

} // namespace

void FindInfoBox(const std::wstring& text) { platform::ShowMessage(text, kInfoStyle, BoxOwner()); }

int FindAskBox(const std::wstring& text, UINT style) { return platform::ShowMessage(text, style, BoxOwner()); }

} // namespace modfind
