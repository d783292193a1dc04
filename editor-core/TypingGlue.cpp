#include "TypingGlue.h"

#include "platform/Text.h"



namespace TypingGlue {

std::wstring LeadingBlanks(const std::wstring& line)
{
    size_t n = 0;
    while (n < line.size() && (line[n] == L' ' || line[n] == L'\t'))
        ++n;
    return line.substr(0, n);
}

std::wstring IndentAfter(const std::wstring& line)
{
    std::wstring lead = LeadingBlanks(line);
    // A line of blanks only has no word to line up with.
    bool hasWord = false;
    for (size_t i = lead.size(); i < line.size(); ++i)
        if (line[i] != L'\r' && line[i] != L'\n') {
            hasWord = true;
            break;
        }
    return hasWord ? lead : std::wstring();
}

std::wstring LastWord(const std::wstring& text, long caret, long& wordStart)
{
    wordStart = 0;
    long len = static_cast<long>(text.size());
    if (caret > len)
        caret = len;
    if (caret < 1)
        return L"";
    // A "(" among the five characters before the caret ends the name;
    // otherwise the character just before the caret (the key just typed) does.
    long end = caret - 1;
    for (long p = (caret - 5 < 0 ? 0 : caret - 5); p < caret - 1; ++p)
        if (text[p] == L'(') {
            end = p;
            break;
        }
    long s = end;
    while (s > 0 && platform::IsWordChar(text[s - 1]))
        --s;
    if (s == end)
        return L"";
    wordStart = s;
    return text.substr(s, end - s);
}

StringSearch::StringSearch(const std::wstring& text) : upper_(platform::Upper(text)) {}

void StringSearch::ClampRange(long& start, long& end) const
{
    long len = static_cast<long>(upper_.size());
    if (end < 0 || end > len)
        end = len;
    if (start < 0)
        start = 0;
}

long StringSearch::Find(const std::wstring& what, long start, long end)
{
    ClampRange(start, end);
    std::wstring w = platform::Upper(what);
    size_t p = upper_.find(w, static_cast<size_t>(start));
    if (p == std::wstring::npos || static_cast<long>(p + w.size()) > end)
        return -1;
    return static_cast<long>(p);
}

long StringSearch::FindBack(const std::wstring& what, long start, long end)
{
    ClampRange(start, end);
    std::wstring w = platform::Upper(what);
    if (static_cast<long>(w.size()) > end)
        return -1;
    size_t p = upper_.rfind(w, static_cast<size_t>(end - static_cast<long>(w.size())));
    if (p == std::wstring::npos || static_cast<long>(p) < start)
        return -1;
    return static_cast<long>(p);
}

long StringSearch::LineFromChar(long pos)
{
    long line = 0;
    long stop = pos < static_cast<long>(upper_.size()) ? pos : static_cast<long>(upper_.size());
    for (long i = 0; i < stop; ++i)
        if (upper_[i] == L'\r')
            ++line;
    return line;
}

short BlockKind(TextSearch& search, long iPos, EditorType edType)
{
    if (iPos < 32 || !IsPageType(edType))
        return 0;
    long open = search.FindBack(L"<SCRIPT", 0, iPos);
    if (open >= 0) {
        long close = search.Find(L">", open, iPos);
        if (close >= 0 && search.Find(L"vbscript", open, close) >= 0 &&
            search.Find(L"</SCRIPT", open, iPos) < 0) {
            long end = search.Find(L"</SCRIPT", iPos, -1);
            if (end >= 0) {
                long line = search.LineFromChar(iPos);
                if (line > search.LineFromChar(open) && line < search.LineFromChar(end))
                    return 1;
            }
        }
    }
    if (edType == EditorType::ASP) {
        long open2 = search.FindBack(L"<%", 0, iPos);
        if (open2 >= 0 && search.Find(L"%>", open2, iPos) < 0) {
            long close2 = search.Find(L"%>", iPos, -1);
            if (close2 >= 0 && search.Find(L"<%", iPos, close2) < 0 && iPos > open2 + 2)
                return 2;
        }
    }
    return 0;
}

LineChecks PlanLineChecks(EditorType type, bool checkLines, bool lineExists, short blockBefore)
{
    LineChecks plan;
    if (IsPageType(type)) {
        plan.check = plan.recordDeclaration = checkLines && lineExists && (blockBefore == 1 || blockBefore == 2);
        plan.inPage = true;
    } else if (type == EditorType::VBScript) {
        plan.recordDeclaration = lineExists;
        plan.check = checkLines && lineExists;
    }
    return plan;
}

bool MarksFindings(EditorType type) { return IsPageType(type) || type == EditorType::VBScript; }

bool RecoloursAfterLine(EditorType type, bool mayColour, bool findingMarked)
{
    switch (type) {
    case EditorType::CSS:
    case EditorType::JavaScript: return mayColour;
    default: return MarksFindings(type) && mayColour && !findingMarked;
    }
}

} // namespace TypingGlue

