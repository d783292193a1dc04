#pragma once
// Text between UTF-16 and the bytes of a code page, and case folding. Text
// inside the program is UTF-16; code pages apply only where files are read
// and written.
#include <windows.h>

#include <cstddef>
#include <string>

namespace platform {

// UTF-16 text as the bytes of one code page (CP_ACP, the system's; CP_UTF8)
// and back; "" when it cannot be converted.
std::string ToCodePage(const std::wstring& text, UINT codePage = CP_ACP);
std::wstring FromCodePage(const char* data, size_t size, UINT codePage = CP_ACP);
std::wstring FromCodePage(const std::string& bytes, UINT codePage = CP_ACP);
// True when every character of the text has its own form in the code page
// (none would be written as "?" or as a look-alike).
bool FitsCodePage(const std::wstring& text, UINT codePage = CP_ACP);

// Upper and lower case by the user's locale, one UTF-16 unit for one, so
// positions in the folded text are positions in the original. This is the
// folding of every case-blind comparison in the program: file extensions,
// keys, searches.
std::wstring Upper(std::wstring text);
std::wstring Lower(std::wstring text);
// The two texts are equal but for case, by that folding.
bool SameText(const std::wstring& a, const std::wstring& b);

// The text without the blanks at both ends; tabs stay. The trimming of box
// texts that are stored or compared (font names, numbers, names picked in a
// list).
std::wstring TrimBlanks(const std::wstring& text);
// The text without blanks and tabs at both ends: command lines and options,
// where a tab separates as a blank does.
std::wstring TrimBlanksAndTabs(const std::wstring& text);
// The text without white space of any kind at both ends: attribute values,
// addresses and style sheet parts of a page.
std::wstring TrimWhiteSpace(const std::wstring& text);
// The same, with each run of white space inside it made one blank: a
// page's title, selectors and values as a browser reports them.
std::wstring CollapseWhiteSpace(const std::wstring& text);
// The text with every tab, CR and LF turned into a blank, then trimmed of
// blanks: a line as the checks that look at its first and last words read it.
std::wstring BlankedLine(std::wstring text);

// Lines of a text, ended by CR LF, CR or LF (the editor's own text has CR
// alone). The start of the line holding pos; the position of the break that
// ends it, or the text's length for the last line (the LF of a CR LF belongs
// to its CR's line); and the length of the break at pos (0, 1 or 2).
long LineStart(const std::wstring& text, long pos);
long LineEnd(const std::wstring& text, long pos);
long BreakLength(const std::wstring& text, long pos);

// A character of a script name: a letter, a digit or "_"; every character
// beyond ASCII counts as a letter.
inline bool IsWordChar(wchar_t c)
{
    return c == L'_' || (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') ||
           c > 127;
}

// The text with each line break (CR LF, CR or LF) turned into one blank:
// a text that goes into one line of an INI file, where a break would split
// the entry.
std::wstring OneLine(const std::wstring& text);

} // namespace platform
