#include "FuncDecls.h"

#include "platform/Text.h"

#include <cwchar>

namespace {

// The letters of Public and Private: they and blanks may stand before the
// keyword. Any other letter ends the walk there.
bool PassesBeforeKeyword(wchar_t c)
{
    switch (c) {
    case L'\t': case L'\n': case L'\r': case L' ':
    case L'A': case L'B': case L'C': case L'E': case L'I': case L'L':
    case L'P': case L'R': case L'T': case L'U': case L'V':
        return true;
    default:
        return false;
    }
}

bool StartsWithAt(const std::wstring& text, size_t at, const wchar_t* word)
{
    return text.compare(at, std::wcslen(word), word) == 0;
}

// As FuncDeclOnLine, with the line's upper-cased copy already made.
bool DeclOnLine(const std::wstring& line, const std::wstring& upper, FuncDecl& decl)
{
    size_t k = 0;
    while (k < line.size() && PassesBeforeKeyword(upper[k]))
        ++k;
    if (k >= line.size() || upper[k] == L'"' || upper[k] == L'\'')
        return false;
    size_t nameStart;
    if (StartsWithAt(upper, k, L"SUB "))
        nameStart = k + 4;
    else if (StartsWithAt(upper, k, L"FUNCTION "))
        nameStart = k + 9;
    else
        return false;
    size_t open = line.find(L'(', nameStart);
    if (open == std::wstring::npos)
        return false;
    // A blank before the parenthesis belongs to no name.
    std::wstring name = platform::TrimBlanksAndTabs(line.substr(nameStart, open - nameStart));
    if (name.empty())
        return false;
    int depth = 0;
    for (size_t i = open; i < line.size(); ++i) {
        wchar_t c = line[i];
        if (c == L'\'')
            return false;
        if (c == L'(')
            ++depth;
        else if (c == L')' && --depth == 0) {
            size_t sigStart = line.find_first_not_of(L" \t", nameStart);
            decl.name = name;
            decl.signature = line.substr(sigStart, i + 1 - sigStart);
            return true;
        }
    }
    return false;
}

} // namespace

bool FuncDeclOnLine(const std::wstring& line, FuncDecl& decl)
{
    return DeclOnLine(line, platform::Upper(line), decl);
}

std::vector<FuncDecl> ScanFuncText(const std::wstring& text)
{
    std::vector<FuncDecl> found;
    // One folding of the whole text: positions stay those of the original.
    const std::wstring upper = platform::Upper(text);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos)
            end = text.size();
        if (end > start) {
            FuncDecl decl;
            if (DeclOnLine(text.substr(start, end - start), upper.substr(start, end - start), decl))
                found.push_back(std::move(decl));
        }
        start = end + 1;
    }
    return found;
}
