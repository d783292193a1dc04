#include "MemberColours.h"

#include "platform/Text.h"

namespace {

struct Keyword {
    const wchar_t* Word;
    COLORREF Color;
};
const Keyword kKeywords[] = {
    {L"Method", 0x0000DF},
    {L"Property", 0xBF0000},
    {L"Event", 0x4080FF},
};
const COLORREF kNameColor = 0x400080;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsLineEnd(wchar_t c) { return c == L'\r' || c == L'\n'; }

// A member line, indented or not: its first word is a keyword followed by a
// blank, and the name runs to the next blank or "(" of the same line.
void AddMemberRuns(const std::wstring& text, long start, long end, std::vector<ColourRun>& runs)
{
    long word = start;
    while (word < end && IsBlank(text[word]))
        ++word;
    for (const Keyword& k : kKeywords) {
        long length = static_cast<long>(wcslen(k.Word));
        if (word + length >= end || text.compare(word, length, k.Word) != 0 || text[word + length] != L' ')
            continue;
        runs.push_back({word, word + length, k.Color, false});
        long name = word + length + 1;
        long stop = name + 1;
        while (stop < end && text[stop] != L' ' && text[stop] != L'(')
            ++stop;
        if (stop > end)
            stop = end;
        if (stop > name)
            runs.push_back({name, stop, kNameColor, true});
        return;
    }
}

} // namespace

std::vector<ColourRun> MemberColourRuns(const std::wstring& text)
{
    std::vector<ColourRun> runs;
    const long size = static_cast<long>(text.size());
    for (long start = 0; start < size;) {
        long end = start;
        while (end < size && !IsLineEnd(text[end]))
            ++end;
        AddMemberRuns(text, start, end, runs);
        start = end + 1;
    }
    // "Info:" anywhere, in any case, as the help lines begin with it.
    std::wstring folded = platform::Lower(text);
    for (size_t p = folded.find(L"info:"); p != std::wstring::npos; p = folded.find(L"info:", p + 2))
        runs.push_back({static_cast<long>(p), static_cast<long>(p) + 5, 0, true});
    return runs;
}
