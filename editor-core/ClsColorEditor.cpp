// The colouring of a live editor: colour a range of it by writing the
// colourer's RTF over the selected text.
#include "ClsColorEditor.h"

#include "ClsColor.h"
#include "ColourRuns.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "RichEditStream.h"

#include <richedit.h>

#include <cstddef>
#include <vector>

namespace {

using ClsColorEditor::ColourCache;

const wchar_t kMarkProperty[] = L"TarnelColourCache";
const size_t kMaxCaches = 9;  // the shown document and the parked ones kept in windows

ClsColorEditor::Memory& Mem() { return State().Colouring; }

bool Alive(const ColourCache& c) { return IsWindow(c.editor) && GetPropW(c.editor, kMarkProperty) == c.mark; }

void Drop(size_t i)
{
    if (Alive(Mem().caches[i]))
        RemovePropW(Mem().caches[i].editor, kMarkProperty);
    Mem().caches.erase(Mem().caches.begin() + static_cast<std::ptrdiff_t>(i));
}

void DropDeadCaches()
{
    for (size_t i = Mem().caches.size(); i-- > 0;)
        if (!Alive(Mem().caches[i]))
            Mem().caches.erase(Mem().caches.begin() + static_cast<std::ptrdiff_t>(i));
}

ColourCache* FindCache(HWND re)
{
    for (auto& c : Mem().caches)
        if (c.editor == re)
            return Alive(c) ? &c : nullptr;
    return nullptr;
}

void ForgetWindow(HWND re)
{
    for (size_t i = 0; i < Mem().caches.size(); ++i)
        if (Mem().caches[i].editor == re) {
            Drop(i);
            return;
        }
}

void Remember(HWND re, EditorType edType, std::string frame, std::wstring text, std::vector<unsigned char> colours)
{
    ForgetWindow(re);
    DropDeadCaches();
    if (Mem().caches.size() >= kMaxCaches) {
        size_t oldest = 0;
        for (size_t i = 1; i < Mem().caches.size(); ++i)
            if (Mem().caches[i].used < Mem().caches[oldest].used)
                oldest = i;
        Drop(oldest);
    }
    ColourCache c;
    c.editor = re;
    c.mark = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(++Mem().marks));
    if (!SetPropW(re, kMarkProperty, c.mark))
        return;
    c.used = ++Mem().uses;
    c.edType = edType;
    c.frame = std::move(frame);
    c.text = std::move(text);
    c.colours = std::move(colours);
    Mem().caches.push_back(std::move(c));
}

size_t ParagraphStart(const std::wstring& s, size_t pos)
{
    if (pos == 0)
        return 0;
    size_t r = s.rfind(L'\r', pos - 1);
    return r == std::wstring::npos ? 0 : r + 1;
}

// One past the paragraph end at or after pos (pos itself when a paragraph
// ends just before it).
size_t ParagraphEnd(const std::wstring& s, size_t pos)
{
    if (pos > 0 && s[pos - 1] == L'\r')
        return pos;
    size_t r = s.find(L'\r', pos);
    return r == std::wstring::npos ? s.size() : r + 1;
}

// The editor's text when only the given lines changed since the cached
// colouring: the cached text with those lines read back in. Reading the
// whole text costs the platform's RichEdit time in proportion to the
// document, a few lines almost nothing. The paragraph on either side of the
// lines is read as well and must still be what the cache holds, at the place
// the length difference puts it; false when the editor disagrees, for the
// caller to read everything.
bool SpliceEditedLines(HWND re, const std::wstring& old, long firstLine, long lastLine, std::wstring& text)
{
    if (firstLine < 0 || lastLine < firstLine)
        return false;
    const long oldN = static_cast<long>(old.size());
    const long n = RichEditStream::TextLength(re);
    const long delta = n - oldN;
    long a0 = static_cast<long>(SendMessageW(re, EM_LINEINDEX, firstLine, 0));
    if (a0 < 0)
        return false;
    long b0 = static_cast<long>(SendMessageW(re, EM_LINEINDEX, lastLine + 1, 0));
    if (b0 < 0)
        b0 = n;
    // The edited stretch in the cached text is [a0, b0 - delta).
    if (a0 > oldN || b0 - delta < a0 || b0 - delta > oldN)
        return false;
    size_t p = ParagraphStart(old, static_cast<size_t>(a0));
    size_t q = ParagraphEnd(old, static_cast<size_t>(b0 - delta));
    size_t from = p > 0 ? ParagraphStart(old, p - 1) : 0;
    if (from > 0)
        --from;  // the paragraph end before it, so the read starts on a paragraph
    size_t to = q < old.size() ? ParagraphEnd(old, q + 1) : q;
    long newTo = static_cast<long>(to) + delta;
    if (newTo > n || newTo < static_cast<long>(from + (p - from) + (to - q)))
        return false;
    std::wstring read = RichEditStream::GetRange(re, static_cast<long>(from), newTo);
    Mem().read = static_cast<long>(read.size());
    if (static_cast<long>(read.size()) != newTo - static_cast<long>(from))
        return false;
    if (read.compare(0, p - from, old, from, p - from) != 0 ||
        read.compare(read.size() - (to - q), to - q, old, q, to - q) != 0)
        return false;
    text.clear();
    text.reserve(static_cast<size_t>(n));
    text.append(old, 0, from);
    text += read;
    text.append(old, to, std::wstring::npos);
    return static_cast<long>(text.size()) == n;
}

void Select(HWND re, long start, long end)
{
    CHARRANGE cr{start, end};
    SendMessageW(re, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
}

bool WriteOverSelection(HWND re, const std::string& rtf)
{
    return RichEditStream::StreamIn(re, rtf, SF_RTF | SFF_SELECTION);
}

// The platform's RichEdit takes far longer for one large RTF stream than for
// the same text in pieces of a hundred lines, so a whole text goes in so:
// over the text already in the editor, or appended to an editor that holds
// only what the earlier pieces wrote.
bool WriteInStretches(HWND re, const std::string& frame, const std::wstring& text,
                      const std::vector<unsigned char>& colours, bool append = false)
{
    const long n = static_cast<long>(text.size());
    long a = 0;
    do {
        long b = a;
        for (int lines = 0; b < n && lines < 100; ++b)
            if (text[static_cast<size_t>(b)] == L'\r')
                ++lines;
        Select(re, a, append ? a : b);
        if (!WriteOverSelection(re, frame + ColourRuns::StretchBody(text, colours, a, b) + "}"))
            return false;
        a = b;
    } while (a < n);
    return true;
}

long CountLines(const std::wstring& text, long a, long b)
{
    long lines = 0;
    for (long i = a; i < b; ++i)
        lines += text[static_cast<size_t>(i)] == L'\r';
    return lines;
}

// Wine's RichEdit spends, for every paragraph it deletes, time in proportion
// to the whole document: rewriting a few thousand lines of a long page in
// place takes minutes. Written a hundred lines at a time at the end of an
// empty window, the same text takes time in proportion to itself. Above this
// many lines a rewrite therefore builds the coloured document in a fresh
// window of the editor control, which then takes the shown window's place
// (with the same selection and view; the undo history starts again).
const long kFreshWindowLines = 400;

bool RebuildInFreshWindow(KvRTB& editor, HWND& re, const std::string& frame, const std::wstring& text,
                          const std::vector<unsigned char>& colours, const CHARRANGE& sel, POINT scroll)
{
    HWND fresh = editor.NewDocumentWindow();
    if (!fresh)
        return false;
    // No undo steps for the building: there is nothing to undo in a new
    // window, and emptying thousands of them later (a tab switch empties the
    // undo buffer) leaves Wine's heap so fragmented that every RichEdit in
    // the program slows down for a long time after.
    SendMessageW(fresh, EM_SETUNDOLIMIT, 0, 0);
    const long n = static_cast<long>(text.size());
    bool ok = WriteInStretches(fresh, frame, text, colours, true);
    SendMessageW(fresh, EM_EMPTYUNDOBUFFER, 0, 0);   // the last stretch's, which the RichEdit keeps
    SendMessageW(fresh, EM_SETUNDOLIMIT, static_cast<WPARAM>(editor.UndoLimit()), 0);
    HWND old = nullptr;
    if (ok && RichEditStream::TextLength(fresh) == n) {
        Select(fresh, sel.cpMin, sel.cpMax);
        SendMessageW(fresh, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
        old = editor.SwapDocumentWindow(fresh);
    }
    if (!old) {
        DestroyWindow(fresh);
        return false;
    }
    ForgetWindow(old);
    DestroyWindow(old);
    re = fresh;
    return true;
}

void ColourRange(ClsColor& colorer, KvRTB& editor, EditorType edType, long StPt, long EndPt)
{
    HWND re = editor.RTBhWnd();
    if (!re)
        return;
    EditorState& st = State();
    bool wasSuppressed = st.SuppressChangeTracking;
    st.SuppressChangeTracking = true;
    try {
        CHARRANGE sel{};
        SendMessageW(re, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
        POINT scroll{};
        SendMessageW(re, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));

        long length = RichEditStream::TextLength(re);
        bool whole = StPt <= 0 && (EndPt < 0 || EndPt >= length);
        std::string frame = colorer.RtfFrame();
        // An undo brings back older colours than the cache knows about;
        // then only a whole rewrite is sure to be right.
        ColourCache* cache = whole && Mem().incremental ? FindCache(re) : nullptr;
        if (cache && (cache->edType != edType || cache->frame != frame || SendMessageW(re, EM_CANREDO, 0, 0)))
            cache = nullptr;
        std::wstring text;
        if (!cache || !SpliceEditedLines(re, cache->text, Mem().firstLine, Mem().lastLine, text)) {
            text = RichEditStream::GetRange(re, StPt, EndPt);
            Mem().read = static_cast<long>(text.size());
        }
        const std::string& fragment = colorer.RtfFragment(edType, text);

        Mem().rewritten = static_cast<long>(text.size());
        if (!whole) {
            ForgetWindow(re);
            Select(re, StPt, EndPt);
            WriteOverSelection(re, fragment);
        } else {
            std::vector<unsigned char> colours;
            bool known = ColourRuns::ParseBody(fragment, frame.size(), colours) &&
                         colours.size() == text.size();
            bool done = false;
            if (known && cache) {
                long a = 0, b = 0;
                if (!ColourRuns::ChangedStretch(cache->text, cache->colours, text, colours, a, b)) {
                    done = true;
                    Mem().rewritten = 0;
                } else if (CountLines(text, a, b) > kFreshWindowLines &&
                           RebuildInFreshWindow(editor, re, frame, text, colours, sel, scroll)) {
                    done = true;
                    Mem().rewritten = static_cast<long>(text.size());
                } else {
                    Mem().rewritten = b - a;
                    Select(re, a, b);
                    done = WriteOverSelection(re, frame + ColourRuns::StretchBody(text, colours, a, b) + "}");
                }
            }
            if (!done) {
                Mem().rewritten = static_cast<long>(text.size());
                if (known) {
                    done = CountLines(text, 0, static_cast<long>(text.size())) > kFreshWindowLines &&
                           RebuildInFreshWindow(editor, re, frame, text, colours, sel, scroll);
                    if (!done)
                        done = WriteInStretches(re, frame, text, colours);
                }
            }
            if (!done) {
                Select(re, 0, -1);
                done = WriteOverSelection(re, fragment);
            }
            if (known && done)
                Remember(re, edType, std::move(frame), std::move(text), std::move(colours));
            else
                ForgetWindow(re);
        }

        // Each of these costs the platform's RichEdit time in proportion to
        // the text, so only what moved is put back.
        CHARRANGE now{};
        SendMessageW(re, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
        if (now.cpMin != sel.cpMin || now.cpMax != sel.cpMax)
            SendMessageW(re, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&sel));
        POINT at{};
        SendMessageW(re, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&at));
        if (at.x != scroll.x || at.y != scroll.y)
            SendMessageW(re, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    } catch (...) {
        // Out of memory on a huge text: the document keeps its old colours.
        ForgetWindow(re);
    }
    st.SuppressChangeTracking = wasSuppressed;
}

} // namespace

namespace ClsColorEditor {

IncrementalScope::IncrementalScope(bool allow, long firstLine, long lastLine)
    : previous_(Mem().incremental), previousFirst_(Mem().firstLine), previousLast_(Mem().lastLine)
{
    Mem().incremental = allow;
    Mem().firstLine = allow ? firstLine : -1;
    Mem().lastLine = allow ? lastLine : -1;
}

IncrementalScope::~IncrementalScope()
{
    Mem().incremental = previous_;
    Mem().firstLine = previousFirst_;
    Mem().lastLine = previousLast_;
}

void ForgetColours() { ForgetColours(State().EditorRichEditHandle()); }

void ForgetColours(HWND window)
{
    if (window)
        ForgetWindow(window);
    DropDeadCaches();
}

long LastRewrittenLength() { return Mem().rewritten; }

long LastReadLength() { return Mem().read; }


void ColorVBS(ClsColor& colorer, KvRTB& editor, long StPt, long EndPt)
{
    ColourRange(colorer, editor, EditorType::VBScript, StPt, EndPt);
}

void ColorJS(ClsColor& colorer, KvRTB& editor, long StPt, long EndPt)
{
    ColourRange(colorer, editor, EditorType::JavaScript, StPt, EndPt);
}

void ColorCSS(ClsColor& colorer, KvRTB& editor, long StPt, long EndPt)
{
    ColourRange(colorer, editor, EditorType::CSS, StPt, EndPt);
}

void ColorHTML(ClsColor& colorer, KvRTB& editor, long StPt, long EndPt)
{
    ColourRange(colorer, editor, EditorType::HTML, StPt, EndPt);
}

} // namespace ClsColorEditor
