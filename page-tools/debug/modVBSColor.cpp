#include "modVBSColor.h"

#include "color/KeywordLists.h"
#include "color/TextScan.h"
#include "platform/Text.h"

#include <algorithm>
#include <string_view>

namespace vbs {


long LineOf(const std::wstring& text, long pos)
{
    size_t stop = pos < 0 ? 0 : std::min(static_cast<size_t>(pos), text.size());
    return static_cast<long>(std::count(text.begin(), text.begin() + stop, L'\r'));
}

LineIndex::LineIndex(const std::wstring& text)
{
    for (size_t p = text.find(L'\r'); p != std::wstring::npos; p = text.find(L'\r', p + 1))
        breaks_.push_back(static_cast<long>(p));
}

long LineIndex::LineOf(long pos) const
{
    return static_cast<long>(std::lower_bound(breaks_.begin(), breaks_.end(), pos) - breaks_.begin());
}

std::wstring TrimLine(const std::wstring& text, long pos)
{
    long a = platform::LineStart(text, pos), b = platform::LineEnd(text, pos);
    return platform::BlankedLine(text.substr(a, b - a));
}

long FindFolded(const std::wstring& upperText, const std::wstring& upperWhat, long start, long end,
                bool wholeWord)
{
    long len = static_cast<long>(upperText.size());
    if (end < 0 || end > len)
        end = len;
    if (start < 0)
        start = 0;
    long n = static_cast<long>(upperWhat.size());
    if (n == 0 || start + n > end)
        return -1;
    // Only [start, end) is searched: a search per line that ran on to the
    // end of the text made the checks of a long text quadratic.
    const std::wstring_view window(upperText.data(), static_cast<size_t>(end));
    for (size_t p = window.find(upperWhat, static_cast<size_t>(start)); p != std::wstring_view::npos;
         p = window.find(upperWhat, p + 1)) {
        long at = static_cast<long>(p);
        if (!wholeWord ||
            ((at == 0 || !platform::IsWordChar(upperText[at - 1])) && (at + n >= len || !platform::IsWordChar(upperText[at + n]))))
            return at;
    }
    return -1;
}

namespace {

bool IsRemAt(const std::wstring& text, long p, long lineEnd)
{
    return p + 3 <= lineEnd && color::MatchNoCase(text.c_str(), p, lineEnd, L"REM") &&
           (p + 3 == lineEnd || !platform::IsWordChar(text[p + 3]));
}

// Walks the line [ls, le): onCode(a, b) receives each stretch of code
// between strings; returns the position of the comment mark, or -1.
template <class OnCode>
long ScanLine(const std::wstring& text, long ls, long le, OnCode onCode)
{
    long p = ls, codeStart = ls;
    bool statementStart = true;
    while (p < le) {
        wchar_t c = text[p];
        if (c == L'"') {
            onCode(codeStart, p);
            // A doubled quote inside a string is one quote character.
            long q = p + 1;
            while (q < le) {
                if (text[q] == L'"') {
                    if (q + 1 < le && text[q + 1] == L'"') {
                        q += 2;
                        continue;
                    }
                    break;
                }
                ++q;
            }
            p = q < le ? q + 1 : le;
            codeStart = p;
            statementStart = false;
            continue;
        }
        if (c == L'\'' || (statementStart && IsRemAt(text, p, le))) {
            onCode(codeStart, p);
            return p;
        }
        if (c == L':')
            statementStart = true;
        else if (c != L' ' && c != L'\t')
            statementStart = false;
        ++p;
    }
    onCode(codeStart, le);
    return -1;
}

} // namespace

long FindCodeComment(const std::wstring& text, long start, long end)
{
    long len = static_cast<long>(text.size());
    if (end < 0 || end > len)
        end = len;
    for (long ls = platform::LineStart(text, start); ls < end;) {
        long le = platform::LineEnd(text, ls);
        long mark = ScanLine(text, ls, le, [](long, long) {});
        if (mark >= start && mark < end)
            return mark;
        ls = le + 1;
    }
    return -1;
}

bool IsCode(const std::wstring& text, long pos)
{
    bool code = false;
    ScanLine(text, platform::LineStart(text, pos), platform::LineEnd(text, pos), [&](long a, long b) {
        if (pos >= a && pos < b)
            code = true;
    });
    return code;
}

std::vector<std::pair<long, long>> CodeStretches(const std::wstring& text, long lineStart, long lineEnd)
{
    std::vector<std::pair<long, long>> stretches;
    ScanLine(text, lineStart, lineEnd, [&](long a, long b) {
        if (b > a)
            stretches.emplace_back(a, b);
    });
    return stretches;
}

namespace {

// Keywords with a blank (the closers "End ...") are searched as plain text,
// the others as whole words.
bool SearchWholeWord(int k) { return k != 1 && k != 5 && k != 9 && k != 11 && k != 13; }

// The exit statements of For, Sub, Do, Function and Property do not open a
// block: "Exit" in the five characters before the keyword's first place on
// the trimmed line (1-based p, as the line is read).
bool IsExitStatement(const std::wstring& upperTrim, const std::wstring& upperWord, long hitColumn)
{
    if (hitColumn <= 4)
        return false;
    size_t p0 = upperTrim.find(upperWord);
    if (p0 == std::wstring::npos || p0 + 1 <= 5)
        return false;
    return upperTrim.substr(p0 - 5, 5).find(L"EXIT") != std::wstring::npos;
}

const std::array<std::wstring, kBlockKeywordCount>& UpperBlockKeywords()
{
    static const std::array<std::wstring, kBlockKeywordCount> words = [] {
        std::array<std::wstring, kBlockKeywordCount> w;
        for (int k = 0; k < kBlockKeywordCount; ++k)
            w[k] = platform::Upper(kBlockKeywords[k]);
        return w;
    }();
    return words;
}

void ClassifyBlockWord(const std::wstring& upperText, long a, long b, long lineStart, const std::wstring& upperTrim,
                       BlockCounts& counts)
{
    for (int k = 0; k < kBlockKeywordCount; ++k) {
        const std::wstring& upperWord = UpperBlockKeywords()[k];
        long n = static_cast<long>(upperWord.size());
        for (long h = FindFolded(upperText, upperWord, a, b, SearchWholeWord(k)); h >= 0;
             h = FindFolded(upperText, upperWord, h + n, b, SearchWholeWord(k))) {
            if (k == 3 && upperTrim.compare(0, 4, L"NEXT") != 0)
                continue;  // the Next of "On Error Resume Next"
            if ((k == 2 || k == 4 || k == 6 || k == 8 || k == 10) &&
                IsExitStatement(upperTrim, upperWord, h - lineStart))
                continue;
            if (k == 12 && upperTrim.find(L"CLASS_") != std::wstring::npos)
                continue;  // Class_Initialize and Class_Terminate
            ++counts[k];
        }
    }
}

} // namespace

BlockCounts CountBlockKeywords(const std::wstring& text)
{
    BlockCounts counts{};
    long len = static_cast<long>(text.size());
    std::wstring upperText = platform::Upper(text);
    for (long ls = 0; ls <= len;) {
        long le = platform::LineEnd(text, ls);
        std::wstring upperTrim;
        bool trimmed = false;
        ScanLine(text, ls, le, [&](long a, long b) {
            if (b <= a)
                return;
            if (!trimmed) {
                upperTrim = platform::Upper(TrimLine(text, ls));
                trimmed = true;
            }
            ClassifyBlockWord(upperText, a, b, ls, upperTrim, counts);
        });
        ls = le + 1;
    }
    return counts;
}

} // namespace vbs
