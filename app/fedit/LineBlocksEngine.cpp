#include "LineBlocksEngine.h"

#include "EditTextEngine.h"
#include "color/TextScan.h"

#include <cwctype>

namespace LineBlocks {

namespace {

using platform::BreakLength;

// Calls f(lineStart, lineEnd) for each line of [blockStart, blockEnd], where
// both lie at line boundaries.
template <class F>
void EachLine(const std::wstring& text, long blockStart, long blockEnd, F f)
{
    long p = blockStart;
    for (;;) {
        long end = LineEnd(text, p);
        f(p, end);
        if (end >= blockEnd)
            break;
        p = end + BreakLength(text, end);
    }
}

// The block's lines rewritten one by one; `line` gets each line's text and
// returns it as it should be.
template <class F>
std::wstring RewriteBlock(const std::wstring& text, long blockStart, long blockEnd, F line)
{
    std::wstring out;
    out.reserve(static_cast<size_t>(blockEnd - blockStart) + 64);
    EachLine(text, blockStart, blockEnd, [&](long a, long b) {
        out += line(text.substr(a, b - a));
        if (b < blockEnd)
            out.append(text, b, BreakLength(text, b));
    });
    return out;
}

TextEdit BlockEdit(const std::wstring& text, long blockStart, long blockEnd, std::wstring with)
{
    TextEdit edit;
    edit.changed = with.compare(0, std::wstring::npos, text, blockStart, blockEnd - blockStart) != 0;
    edit.start = blockStart;
    edit.end = blockEnd;
    edit.with = std::move(with);
    return edit;
}

} // namespace

bool SelectedBlock(const std::wstring& text, long s, long e, long& blockStart, long& blockEnd)
{
    long n = static_cast<long>(text.size());
    if (s < 0)
        s = 0;
    if ((e < n ? e : n) <= s)
        return false;
    // The end may count the editor's final paragraph mark (Select All gives
    // 0..n+1): the step back is taken before the clamp, or a last line of one
    // character is left out.
    long last = e - 2 > s ? e - 2 : s;
    if (last > n)
        last = n;
    blockStart = LineStart(text, s);
    blockEnd = LineEnd(text, last);
    return true;
}

TextEdit CommentLines(const std::wstring& text, long s, long e, const std::wstring& mark)
{
    long a, b;
    if (mark.empty() || !SelectedBlock(text, s, e, a, b))
        return {};
    TextEdit edit = BlockEdit(text, a, b, RewriteBlock(text, a, b, [&](const std::wstring& l) { return mark + l; }));
    long newEnd = a + static_cast<long>(edit.with.size());
    edit.selStart = a;
    edit.selEnd = newEnd + BreakLength(text, b);
    return edit;
}

TextEdit UncommentLines(const std::wstring& text, long s, long e, const std::wstring& mark, EditorType edType)
{
    long a, b;
    if (edType != EditorType::VBScript || !SelectedBlock(text, s, e, a, b))
        return {};
    TextEdit edit = BlockEdit(text, a, b, RewriteBlock(text, a, b, [&](std::wstring l) {
        size_t first = l.find_first_not_of(L" \t");
        if (first == std::wstring::npos || l[first] != L'\'')
            return l;
        size_t at = mark.empty() ? std::wstring::npos : l.find(mark);
        if (at != std::wstring::npos)
            return l.erase(at, mark.size());
        return l.erase(first, 1);
    }));
    edit.selStart = edit.selEnd = a;
    return edit;
}

TextEdit IndentLines(const std::wstring& text, long s, long e, const std::wstring& spacer, int mode)
{
    long a, b;
    if (spacer.empty() || !SelectedBlock(text, s, e, a, b))
        return {};
    TextEdit edit = BlockEdit(text, a, b, RewriteBlock(text, a, b, [&](std::wstring l) {
        if (mode == 1)
            return spacer + l;
        if (l.compare(0, spacer.size(), spacer) == 0)
            l.erase(0, spacer.size());
        return l;
    }));
    edit.selStart = a;
    edit.selEnd = a + static_cast<long>(edit.with.size());
    return edit;
}

namespace {

// Markup words are ASCII: matched in any case by the colourers' helpers.
bool StartsWithNoCase(const std::wstring& text, size_t at, const wchar_t* upperWord)
{
    return color::MatchNoCase(text.c_str(), at, text.size(), upperWord);
}

size_t FindNoCase(const std::wstring& text, size_t from, const wchar_t* upperWord)
{
    return color::FindNoCase(text.c_str(), from, text.size(), upperWord);
}

// One past the end of the first `close` (upper case) at or after `from`; the
// text's end when there is none.
size_t PastNoCase(const std::wstring& text, size_t from, const wchar_t* close)
{
    size_t at = FindNoCase(text, from, close);
    return at == std::wstring::npos ? text.size() : at + std::wstring(close).size();
}

size_t SkipServerBlock(const std::wstring& text, size_t at)
{
    return PastNoCase(text, at + 2, text[at + 1] == L'%' ? L"%>" : L"?>");
}

bool IsServerOpen(const std::wstring& text, size_t i)
{
    return i + 1 < text.size() && text[i] == L'<' && (text[i + 1] == L'%' || text[i + 1] == L'?');
}

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f'; }

void UpperRange(std::wstring& text, size_t a, size_t b)
{
    if (b > a)
        text.replace(a, b - a, EditText::ChangeCase(text.substr(a, b - a), 0));
}

// Upper-cases the tag that starts with "<" at `at`; returns where scanning
// goes on, and in `name` the tag's name as written (with "/" for a closing tag).
size_t TagAt(std::wstring& text, size_t at, std::wstring& name)
{
    const size_t n = text.size();
    size_t i = at + 1;
    size_t nameStart = i;
    if (i < n && text[i] == L'/')
        ++i;
    size_t from = i;
    while (i < n && !IsSpace(text[i]) && text[i] != L'>' && text[i] != L'/' && text[i] != L'<')
        ++i;
    UpperRange(text, from, i);
    name = text.substr(nameStart, i - nameStart);
    while (i < n) {
        wchar_t c = text[i];
        if (c == L'>')
            return i + 1;
        if (IsServerOpen(text, i)) {
            i = SkipServerBlock(text, i);
        } else if (c == L'<') {
            return i;  // an unclosed tag: the next one starts here
        } else if (c == L'"' || c == L'\'') {
            size_t q = text.find(c, i + 1);
            if (q == std::wstring::npos) {
                size_t gt = text.find(L'>', i + 1);
                return gt == std::wstring::npos ? n : gt + 1;  // an unpaired quote is left as it is
            }
            i = q + 1;
        } else if (c == L'=') {
            ++i;
            while (i < n && IsSpace(text[i]))
                ++i;
            if (i < n && text[i] != L'"' && text[i] != L'\'') {
                while (i < n && !IsSpace(text[i]) && text[i] != L'>') {
                    if (IsServerOpen(text, i))
                        i = SkipServerBlock(text, i);
                    else
                        ++i;
                }
            }
        } else if (IsSpace(c) || c == L'/') {
            ++i;
        } else {
            size_t a = i;
            while (i < n && !IsSpace(text[i]) && text[i] != L'=' && text[i] != L'>' && text[i] != L'/' &&
                   text[i] != L'"' && text[i] != L'\'' && text[i] != L'<')
                ++i;
            UpperRange(text, a, i);
        }
    }
    return n;
}

} // namespace

std::wstring UpperCaseTags(const std::wstring& source)
{
    std::wstring text = source;
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        size_t lt = text.find(L'<', i);
        if (lt == std::wstring::npos || lt + 1 >= n)
            break;
        wchar_t next = text[lt + 1];
        if (StartsWithNoCase(text, lt, L"<!--")) {
            i = PastNoCase(text, lt + 4, L"-->");
        } else if (IsServerOpen(text, lt)) {
            i = SkipServerBlock(text, lt);
        } else if (std::iswalpha(next) || next == L'/' || next == L'!') {
            std::wstring name;
            i = TagAt(text, lt, name);
            // Script and style code is not markup, whatever "<" it holds.
            const wchar_t* close = nullptr;
            if (name.size() == 6 && StartsWithNoCase(name, 0, L"SCRIPT"))
                close = L"</SCRIPT";
            else if (name.size() == 5 && StartsWithNoCase(name, 0, L"STYLE"))
                close = L"</STYLE";
            if (close && i < n) {
                size_t at = FindNoCase(text, i, close);
                i = at == std::wstring::npos ? n : at;
            }
        } else {
            i = lt + 1;
        }
    }
    return text;
}

std::vector<long> ReturnPositions(const std::wstring& text, const std::vector<long>& lineStarts)
{
    std::vector<long> at;
    if (lineStarts.size() < 3)
        return at;
    long n = static_cast<long>(text.size());
    for (size_t k = lineStarts.size(); k-- > 1;) {
        long s = lineStarts[k];
        if (s > 0 && s <= n && BreakLength(text, s - 1) == 0)
            at.push_back(s);
    }
    return at;
}

} // namespace LineBlocks
