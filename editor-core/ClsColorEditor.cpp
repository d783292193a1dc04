// The range members of ClsColor: colour a range of an editor by writing the
// colourer's RTF over the selected text.
#include "ClsColorEditor.h"

#include "ClsColor.h"
#include "ColourRuns.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "RichEditStream.h"

#include <richedit.h>

#include <vector>

namespace {

// What the last whole-text colouring left in the editor.
struct ColourCache {
    bool valid = false;
    HWND editor = nullptr;
    int edType = -1;
    std::string frame;
    std::wstring text;
    std::vector<unsigned char> colours;
};

ColourCache g_cache;
bool g_incremental = false;
long g_rewritten = 0;

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
// the same text in pieces of a hundred lines, so a whole text goes in so.
bool WriteInStretches(HWND re, const std::string& frame, const std::wstring& text,
                      const std::vector<unsigned char>& colours)
{
    const long n = static_cast<long>(text.size());
    long a = 0;
    do {
        long b = a;
        for (int lines = 0; b < n && lines < 100; ++b)
            if (text[b] == L'\r')
                ++lines;
        Select(re, a, b);
        if (!WriteOverSelection(re, frame + ColourRuns::StretchBody(text, colours, a, b) + "}"))
            return false;
        a = b;
    } while (a < n);
    return true;
}

void ColourRange(ClsColor& colorer, KvRTB& editor, int edType, long StPt, long EndPt)
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
        std::wstring text = RichEditStream::GetRange(re, StPt, EndPt);
        std::string frame = colorer.RtfFrame();
        std::string fragment = colorer.RtfFragment(edType, text);

        g_rewritten = static_cast<long>(text.size());
        if (!whole) {
            g_cache.valid = false;
            Select(re, StPt, EndPt);
            WriteOverSelection(re, fragment);
        } else {
            std::vector<unsigned char> colours;
            bool known = ColourRuns::ParseBody(fragment.substr(frame.size()), colours) &&
                         colours.size() == text.size();
            bool done = false;
            // An undo brings back older colours than the cache knows about;
            // then only a whole rewrite is sure to be right.
            if (known && g_incremental && g_cache.valid && g_cache.editor == re && g_cache.edType == edType &&
                g_cache.frame == frame && !SendMessageW(re, EM_CANREDO, 0, 0)) {
                long a = 0, b = 0;
                if (!ColourRuns::ChangedStretch(g_cache.text, g_cache.colours, text, colours, a, b)) {
                    done = true;
                    g_rewritten = 0;
                } else {
                    g_rewritten = b - a;
                    Select(re, a, b);
                    done = WriteOverSelection(re, frame + ColourRuns::StretchBody(text, colours, a, b) + "}");
                }
            }
            if (!done) {
                g_rewritten = static_cast<long>(text.size());
                if (known)
                    done = WriteInStretches(re, frame, text, colours);
            }
            if (!done) {
                Select(re, 0, -1);
                done = WriteOverSelection(re, fragment);
            }
            g_cache.valid = known && done;
            if (g_cache.valid) {
                g_cache.editor = re;
                g_cache.edType = edType;
                g_cache.frame = std::move(frame);
                g_cache.text = std::move(text);
                g_cache.colours = std::move(colours);
            }
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
        g_cache.valid = false;
    }
    st.SuppressChangeTracking = wasSuppressed;
}

} // namespace

namespace ClsColorEditor {

IncrementalScope::IncrementalScope(bool allow) : previous_(g_incremental) { g_incremental = allow; }

IncrementalScope::~IncrementalScope() { g_incremental = previous_; }

void ForgetColours()
{
    g_cache = ColourCache();
}

long LastRewrittenLength() { return g_rewritten; }

} // namespace ClsColorEditor

void ClsColor::ColorVBS(KvRTB& editor, long StPt, long EndPt) { ColourRange(*this, editor, TypeVBS, StPt, EndPt); }

void ClsColor::ColorJS(KvRTB& editor, long StPt, long EndPt) { ColourRange(*this, editor, TypeJS, StPt, EndPt); }

void ClsColor::ColorCSS(KvRTB& editor, long StPt, long EndPt) { ColourRange(*this, editor, TypeCSS, StPt, EndPt); }

void ClsColor::ColorHTML(KvRTB& editor, long StPt, long EndPt)
{
    ColourRange(*this, editor, TypeHTML, StPt, EndPt);
}
