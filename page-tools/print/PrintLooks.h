#pragma once
// The look of every character of a rich text as the editor's RTF gives it:
// its colour and whether it is bold. Printing draws the text in these looks
// where it lays the pages out itself. Needs no window.
#include <windows.h>

#include <string>
#include <vector>

struct PrintLook {
    COLORREF colour = RGB(0, 0, 0);
    bool bold = false;
    bool operator==(const PrintLook& o) const { return colour == o.colour && bold == o.bold; }
    bool operator!=(const PrintLook& o) const { return !(*this == o); }
};

// Reads RTF as a RichEdit writes it (groups, control words, "\'hh", "\uN",
// a colour table) into the text (paragraph ends as CR, as the control counts
// positions) and one look per character. False when it is no RTF.
bool ReadPrintLooks(const std::string& rtf, std::wstring& text, std::vector<PrintLook>& looks);
