// The colouring of a live editor: colour a range of it by writing the
// colourer's RTF over the selected text.
#include "ClsColorEditor.h"
#include "platform/Text.h"

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
    return static_cast<size_t>(platform::LineStart(s, static_cast<long>(pos)));
}

// One past the paragraph end at or after pos (pos itself when a paragraph
// ends just before it).
size_t ParagraphEnd(const std::wstring& s, size_t pos)
{
    const long at = static_cast<long>(pos);
    if (at > 0 && platform::BreakLength(s, at - 1) > 0)
        return pos;
    const long end = platform::LineEnd(s, at);
    return static_cast<size_t>(end + platform::BreakLength(s, end));
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

// Over text already in the editor, the platform's RichEdit takes far longer
// for one large RTF stream than for the same text in pieces of a hundred
// lines, so a whole text goes in so.
bool WriteInStretches(HWND re, const std::string& frame, const std::wstring& text,
                      const std::vector<unsigned char>& colours)
{
    const long n = static_cast<long>(text.size());
    long a = 0;
    do {
        long b = a;
        for (int lines = 0; b < n && lines < 100; ++b)
            if (text[static_cast<size_t>(b)] == L'\r')
                ++lines;
        Select(re, a, b);
        if (!WriteOverSelection(re, frame + ColourRuns::StretchBody(text, colours, a, b) + "}"))
            return false;
        a = b;
    } while (a < n);
    return true;
}

// Colouring changes the look of the text and the spelling of keywords,
// never its length, so the editor's undo steps stay valid across it. It adds
// none of its own: the user's steps are all the history there is, and undoing
// one undoes what the user did, not a colouring.
class NoUndoSteps {
public:
    NoUndoSteps(HWND re, long limit) : re_(re), limit_(limit) { SendMessageW(re_, EM_SETUNDOLIMIT, 0, 0); }
    ~NoUndoSteps() { SendMessageW(re_, EM_SETUNDOLIMIT, static_cast<WPARAM>(limit_), 0); }
    NoUndoSteps(const NoUndoSteps&) = delete;
    NoUndoSteps& operator=(const NoUndoSteps&) = delete;

private:
    HWND re_;
    long limit_;
};

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
// The same holds for the characters of one paragraph: in a page written on
// one line, each run that is written or deleted costs a walk over the runs
// before it. A stretch of more characters than this is therefore long too.
const long kFreshWindowLines = 400;
const long kFreshWindowChars = 40000;

bool IsLongStretch(const std::wstring& text, long a, long b)
{
    return b - a > kFreshWindowChars || CountLines(text, a, b) > kFreshWindowLines;
}

// Above this many runs of one look, setting looks one by one costs more
// than building the page afresh (each costs Wine's RichEdit about as much as
// a hundred lines of streamed text).
const size_t kMaxLookRuns = 200;

// A long stretch that changed mostly in look (a comment opened: the rest of
// the page takes the comment colour) is recoloured in place by setting the
// look of each run that changed, without rewriting its text. Only the stretch
// whose text differs from the coloured text (typed, respelt) is written; it
// must be short. False, with nothing changed, when that does not fit.
bool RecolourLooks(HWND re, const std::string& frame, const ColourCache& cache, const std::wstring& shown,
                   const std::wstring& coloured, const std::vector<unsigned char>& colours, long a, long b)
{
    const long n = static_cast<long>(coloured.size());
    const long delta = n - static_cast<long>(cache.text.size());
    // Where the editor's text differs from the cached text the editor's
    // looks are unknown; where it differs from the coloured text it must be
    // rewritten. Both go into one written stretch [w0, w1).
    long w0 = n, w1 = 0, t0, t1;
    {
        long shortest = n < static_cast<long>(cache.text.size()) ? n : static_cast<long>(cache.text.size());
        long p = 0;
        while (p < shortest && shown[p] == cache.text[p])
            ++p;
        long q = 0;
        while (q < shortest - p && shown[n - 1 - q] == cache.text[cache.text.size() - 1 - q])
            ++q;
        if (p < n - q || delta != 0) {
            w0 = p;
            w1 = n - q;
        }
    }
    if (ColourRuns::TextStretch(shown, coloured, t0, t1)) {
        w0 = w0 < t0 ? w0 : t0;
        w1 = w1 > t1 ? w1 : t1;
    }
    if (w1 > w0 && (w1 - w0 > 20000 || CountLines(coloured, w0, w1) > 100))
        return false;
    auto shownLook = [&](long i) -> int {
        if (w1 > w0 && i >= w0 && i < w1)
            return -1;
        long at = w1 > w0 && i >= w1 ? i - delta : i;
        return at >= 0 && at < static_cast<long>(cache.colours.size()) ? cache.colours[static_cast<size_t>(at)] : -1;
    };
    struct Run { long start, end; unsigned char look; };
    std::vector<Run> runs;
    for (long i = a; i < b;) {
        if (w1 > w0 && i >= w0 && i < w1) {
            i = w1;
            continue;
        }
        long j = i + 1;
        while (j < b && colours[static_cast<size_t>(j)] == colours[static_cast<size_t>(i)] && !(w1 > w0 && j == w0))
            ++j;
        long first = -1, last = -1;
        for (long k = i; k < j; ++k)
            if (shownLook(k) != colours[static_cast<size_t>(k)]) {
                if (first < 0)
                    first = k;
                last = k + 1;
            }
        if (first >= 0) {
            runs.push_back({first, last, colours[static_cast<size_t>(i)]});
            if (runs.size() > kMaxLookRuns)
                return false;
        }
        i = j;
    }
    std::vector<unsigned long> table = ColourRuns::FrameColours(frame);
    for (const Run& r : runs)
        if ((r.look & ~ColourRuns::kBold) >= table.size())
            return false;
    if (w1 > w0) {
        Select(re, w0, w1);
        if (!WriteOverSelection(re, frame + ColourRuns::StretchBody(coloured, colours, w0, w1) + "}"))
            return false;
    }
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR | CFM_BOLD;
    long restyled = 0;
    for (const Run& r : runs) {
        unsigned char colour = r.look & ~ColourRuns::kBold;
        cf.crTextColor = static_cast<COLORREF>(table[colour]);
        cf.dwEffects = (r.look & ColourRuns::kBold) ? CFE_BOLD : 0;
        if (colour == 0)
            cf.dwEffects |= CFE_AUTOCOLOR;   // as the RichEdit reads "\cf0"
        Select(re, r.start, r.end);
        SendMessageW(re, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        restyled += r.end - r.start;
    }
    Mem().rewritten = (w1 > w0 ? w1 - w0 : 0) + restyled;
    return true;
}

// keepUndo false: the change is not undoable, and the replaced window goes
// with its undo steps. rtf, when given, is the whole coloured document as a
// colourer wrote it (frame, then text and colours), written as it is.
bool RebuildInFreshWindow(KvRTB& editor, HWND& re, const std::string& frame, const std::wstring& text,
                          const std::vector<unsigned char>& colours, const CHARRANGE& sel, POINT scroll,
                          bool keepUndo = true, const std::string* rtf = nullptr)
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
    // Into an empty window, one stream of the whole text is the cheapest
    // (a 10,000-line page some 400 ms sooner than in hundred-line pieces,
    // each of which starts with a walk over every paragraph already there).
    // Written as a selection, or the RichEdit drops the last paragraph mark.
    bool ok = WriteOverSelection(fresh, rtf ? *rtf : frame + ColourRuns::StretchBody(text, colours, 0, n) + "}");
    SendMessageW(fresh, EM_EMPTYUNDOBUFFER, 0, 0);   // the stream's, which the RichEdit keeps
    SendMessageW(fresh, EM_SETUNDOLIMIT, static_cast<WPARAM>(editor.UndoLimit()), 0);
    HWND old = nullptr;
    if (ok && RichEditStream::TextLength(fresh) == n) {
        Select(fresh, sel.cpMin, sel.cpMax);
        RichEditStream::SetViewPos(fresh, scroll);
        old = editor.SwapDocumentWindow(fresh);
    }
    if (!old) {
        DestroyWindow(fresh);
        return false;
    }
    // The replaced window keeps the user's undo steps (and, for them, its
    // last colouring): Undo goes on there once the new window has none left.
    if (keepUndo && (SendMessageW(old, EM_CANUNDO, 0, 0) || SendMessageW(old, EM_CANREDO, 0, 0))) {
        editor.KeepUndoHistory(old, text);
    } else {
        ForgetWindow(old);
        DestroyWindow(old);
    }
    re = fresh;
    return true;
}

// True when the text was written (with replacement: the replacement's).
bool ColourRange(ClsColor& colorer, KvRTB& editor, EditorType edType, long StPt, long EndPt,
                 const std::wstring* replacement = nullptr)
{
    HWND re = editor.RTBhWnd();
    if (!re)
        return false;
    EditorState& st = State();
    bool wasSuppressed = st.SuppressChangeTracking;
    st.SuppressChangeTracking = true;
    try {
        CHARRANGE sel{};
        SendMessageW(re, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
        const POINT scroll = RichEditStream::ViewPos(re);

        long length = RichEditStream::TextLength(re);
        bool whole = StPt <= 0 && (EndPt < 0 || EndPt >= length);
        std::string frame = colorer.RtfFrame();
        if (replacement && (!whole || static_cast<long>(replacement->size()) != length)) {
            st.SuppressChangeTracking = wasSuppressed;
            return false;
        }
        ColourCache* cache = whole && Mem().incremental && !replacement ? FindCache(re) : nullptr;
        if (cache && (cache->edType != edType || cache->frame != frame))
            cache = nullptr;
        const bool undone = cache && cache->undone;
        std::wstring text;
        // After an undo the text may have changed anywhere: read it whole.
        // The looks the cache remembers still hold, as colouring adds no undo steps.
        bool spliced = cache && !SendMessageW(re, EM_CANREDO, 0, 0) &&
                       SpliceEditedLines(re, cache->text, Mem().firstLine, Mem().lastLine, text);
        if (replacement) {
            text = *replacement;
        } else if (!spliced) {
            text = RichEditStream::GetRange(re, StPt, EndPt);
            Mem().read = static_cast<long>(text.size());
        }
        if (undone)
            cache->undone = false;
        const std::string& fragment = colorer.RtfFragment(edType, text);

        Mem().rewritten = static_cast<long>(text.size());
        NoUndoSteps noUndo(re, editor.UndoLimit());
        if (!whole) {
            ForgetWindow(re);
            Select(re, StPt, EndPt);
            WriteOverSelection(re, fragment);
        } else {
            // The colourers respell keywords and declared names as their
            // lists write them: the coloured text is what the editor gets.
            std::wstring coloured;
            std::vector<unsigned char> colours;
            bool known = ColourRuns::ParseBody(fragment, frame.size(), coloured, colours) &&
                         coloured.size() == text.size();
            bool done = false;
            if (known && cache) {
                long a = 0, b = 0, r0 = 0, r1 = 0;
                bool differs = ColourRuns::ChangedStretch(cache->text, cache->colours, coloured, colours, a, b);
                if (ColourRuns::TextStretch(text, coloured, r0, r1)) {  // the editor holds the typed spelling
                    a = differs && a < r0 ? a : r0;
                    b = differs && b > r1 ? b : r1;
                    differs = true;
                }
                if (differs && undone) {
                    // Text that came back with the looks it had when it went,
                    // maybe typed and not yet coloured, may lie beyond the
                    // smallest edit that explains the change, on its lines.
                    a = static_cast<long>(ParagraphStart(coloured, static_cast<size_t>(a)));
                    b = static_cast<long>(ParagraphEnd(coloured, static_cast<size_t>(b)));
                }
                bool longStretch = differs && IsLongStretch(coloured, a, b);
                if (!differs) {
                    done = true;
                    Mem().rewritten = 0;
                } else if (longStretch && RecolourLooks(re, frame, *cache, text, coloured, colours, a, b)) {
                    done = true;
                } else if (longStretch && RebuildInFreshWindow(editor, re, frame, coloured, colours, sel, scroll)) {
                    done = true;
                    Mem().rewritten = static_cast<long>(coloured.size());
                } else {
                    Mem().rewritten = b - a;
                    Select(re, a, b);
                    done = WriteOverSelection(re, frame + ColourRuns::StretchBody(coloured, colours, a, b) + "}");
                }
            }
            if (!done) {
                Mem().rewritten = static_cast<long>(text.size());
                if (known) {
                    done = IsLongStretch(coloured, 0, static_cast<long>(coloured.size())) &&
                           RebuildInFreshWindow(editor, re, frame, coloured, colours, sel, scroll);
                    if (!done)
                        done = WriteInStretches(re, frame, coloured, colours);
                }
            }
            if (!done) {
                Select(re, 0, -1);
                done = WriteOverSelection(re, fragment);
            }
            if (known && done)
                Remember(re, edType, std::move(frame), std::move(coloured), std::move(colours));
            else
                ForgetWindow(re);
        }

        // Each of these costs the platform's RichEdit time in proportion to
        // the text, so only what moved is put back.
        CHARRANGE now{};
        SendMessageW(re, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&now));
        if (now.cpMin != sel.cpMin || now.cpMax != sel.cpMax)
            SendMessageW(re, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&sel));
        RichEditStream::SetViewPos(re, scroll);
    } catch (...) {
        // Out of memory on a huge text: the document keeps its old colours.
        ForgetWindow(re);
        st.SuppressChangeTracking = wasSuppressed;
        return false;
    }
    st.SuppressChangeTracking = wasSuppressed;
    return true;
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

void TextUndone()
{
    if (ColourCache* cache = FindCache(State().EditorRichEditHandle()))
        cache->undone = true;
}

void ForgetColours(HWND window)
{
    if (window)
        ForgetWindow(window);
    DropDeadCaches();
}

void TextReplaced(HWND window, const std::wstring& before, const std::vector<KvRTB::Replacement>& edits)
{
    ColourCache* cache = FindCache(window);
    if (!cache || edits.empty())
        return;
    const long n = static_cast<long>(before.size());
    bool valid = cache->text == before && cache->colours.size() == before.size();
    for (size_t i = 0; valid && i < edits.size(); ++i) {
        const long limit = i == 0 ? n : edits[i - 1].start;
        valid = edits[i].start >= 0 && edits[i].start <= edits[i].end && edits[i].end <= limit;
    }
    if (!valid) {
        ForgetWindow(window);
        return;
    }
    const std::vector<unsigned char>& looks = cache->colours;
    auto insertedLook = [&](long start, long end) -> unsigned char {
        if (n == 0)
            return 0;
        const bool lineStart = start == 0 || before[static_cast<size_t>(start) - 1] == L'\r';
        const long from = start < end || (lineStart && start < n) ? start : start - 1;
        return looks[static_cast<size_t>(from)];
    };
    std::wstring text;
    std::vector<unsigned char> colours;
    text.reserve(before.size() + edits.size() * 4);
    colours.reserve(text.capacity());
    long at = 0;
    for (auto e = edits.rbegin(); e != edits.rend(); ++e) {
        text.append(before, static_cast<size_t>(at), static_cast<size_t>(e->start - at));
        colours.insert(colours.end(), looks.begin() + at, looks.begin() + e->start);
        text += e->text;
        colours.insert(colours.end(), e->text.size(), insertedLook(e->start, e->end));
        at = e->end;
    }
    text.append(before, static_cast<size_t>(at), std::wstring::npos);
    colours.insert(colours.end(), looks.begin() + at, looks.end());
    cache->text = std::move(text);
    cache->colours = std::move(colours);
}

void RangeColoured(HWND window, long start, long end, COLORREF colour)
{
    ColourCache* cache = FindCache(window);
    if (!cache)
        return;
    const std::vector<unsigned long> table = ColourRuns::FrameColours(cache->frame);
    // Entry 0 is the automatic colour, which the editor tells from a set one.
    size_t index = 1;
    while (index < table.size() && table[index] != colour)
        ++index;
    const long n = static_cast<long>(cache->colours.size());
    if (index >= table.size() || start < 0 || start > end || end > n) {
        ForgetWindow(window);
        return;
    }
    for (long i = start; i < end; ++i) {
        // A line end's colour never shows, and the colourers give line ends
        // none: remembered as they were, the lines need no rewriting later.
        if (cache->text[static_cast<size_t>(i)] == L'\r')
            continue;
        unsigned char& look = cache->colours[static_cast<size_t>(i)];
        look = static_cast<unsigned char>((look & ColourRuns::kBold) | index);
    }
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

void ColourAs(EditorType type, ClsColor& colorer, KvRTB& editor, long StPt, long EndPt)
{
    switch (type) {
    case EditorType::ASP:
    case EditorType::HTML: ColorHTML(colorer, editor, StPt, EndPt); break;
    case EditorType::CSS: ColorCSS(colorer, editor, StPt, EndPt); break;
    case EditorType::VBScript: ColorVBS(colorer, editor, StPt, EndPt); break;
    case EditorType::JavaScript: ColorJS(colorer, editor, StPt, EndPt); break;
    default: break;
    }
}

bool ColorHTMLText(ClsColor& colorer, KvRTB& editor, const std::wstring& text)
{
    return ColourRange(colorer, editor, EditorType::HTML, 0, -1, &text);
}

namespace {

// Colours a whole text and writes it into a fresh editor window in one
// stream, which Wine's RichEdit takes far faster than edits in place.
bool WriteWholeInFreshWindow(ClsColor& colorer, KvRTB& editor, HWND re, EditorType edType,
                             const std::wstring& text, const CHARRANGE& sel, POINT scroll, bool keepUndo)
{
    EditorState& st = State();
    const bool wasSuppressed = st.SuppressChangeTracking;
    st.SuppressChangeTracking = true;
    bool done = false;
    try {
        std::string frame = colorer.RtfFrame();
        const std::string& fragment = colorer.RtfFragment(edType, text);
        std::wstring coloured;
        std::vector<unsigned char> colours;
        if (ColourRuns::ParseBody(fragment, frame.size(), coloured, colours) && coloured.size() == text.size() &&
            RebuildInFreshWindow(editor, re, frame, coloured, colours, sel, scroll, keepUndo, &fragment)) {
            Mem().read = 0;
            Mem().rewritten = static_cast<long>(coloured.size());
            Remember(re, edType, std::move(frame), std::move(coloured), std::move(colours));
            done = true;
        }
    } catch (...) {
        done = false;   // out of memory on a huge text: the caller falls back to editing in place
    }
    st.SuppressChangeTracking = wasSuppressed;
    return done;
}

} // namespace

bool ReplaceLongText(ClsColor& colorer, KvRTB& editor, EditorType edType, const std::wstring& text, long selStart,
                     long selEnd, bool keepUndo)
{
    HWND re = editor.RTBhWnd();
    if (!re || edType == EditorType::None || !IsLongStretch(text, 0, static_cast<long>(text.size())))
        return false;
    const POINT scroll = RichEditStream::ViewPos(re);
    return WriteWholeInFreshWindow(colorer, editor, re, edType, text, CHARRANGE{selStart, selEnd}, scroll, keepUndo);
}

bool WriteColouredText(ClsColor& colorer, KvRTB& editor, EditorType edType, const std::wstring& text)
{
    HWND re = editor.RTBhWnd();
    if (!re || edType == EditorType::None || RichEditStream::TextLength(re) != 0)
        return false;
    // Only text that the RichEdit keeps character for character: streamed in
    // plain, a line feed becomes a paragraph mark and a control character
    // may go, and the colouring is of the text the editor then holds.
    for (wchar_t c : text)
        if (c < L' ' && c != L'\t' && c != L'\r')
            return false;
    // Short texts (few lines, none of them long) are coloured in place after
    // a plain load, as cheaply.
    if (!IsLongStretch(text, 0, static_cast<long>(text.size())))
        return false;
    return WriteWholeInFreshWindow(colorer, editor, re, edType, text, CHARRANGE{0, 0}, POINT{0, 0}, true);
}

} // namespace ClsColorEditor
