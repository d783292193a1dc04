#pragma once
// The colouring of a class text in the members view: each member line's
// keyword ("Method", "Property", "Event") in its colour and the member's
// name in bold purple, and every "Info:" in bold black. Computed from the
// text alone, one line at a time, so a line never colours its neighbours.
#include <windows.h>

#include <string>
#include <vector>

struct ColourRun {
    long Start;   // first character
    long End;     // one past the last
    COLORREF Color;
    bool Bold;
};

// Runs for text whose lines end in CR, LF or CR LF; positions are indexes
// into text, so pass the text as the view counts its characters.
std::vector<ColourRun> MemberColourRuns(const std::wstring& text);
