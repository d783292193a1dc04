#pragma once
// Lays out plain text on pages of a device context, line by line, wrapping
// at blanks: printing uses it where the rich-text control cannot lay out
// pages for a printer itself (it answers every page with position 0).
#include <windows.h>

#include <string>
#include <vector>

#include "PrintLooks.h"

class TextPages {
public:
    // text with paragraph ends as CR alone (the control's positions);
    // font of the given face and point size on dc. looks: one per character
    // of text, the colour and weight it is drawn in (empty: all black).
    TextPages(HDC dc, std::wstring text, const std::wstring& fontName, int fontSize,
              std::vector<PrintLook> looks = {});
    ~TextPages();
    TextPages(const TextPages&) = delete;
    TextPages& operator=(const TextPages&) = delete;

    // Draws the lines from position start that fit into area (twips of the
    // printable area) and returns the position of the first one not drawn.
    long RenderPage(long start, const RECT& area);

private:
    long DrawLine(long start, int left, int width, int y);
    void DrawRuns(const wchar_t* line, long start, int count, int left, int y, INT tab);

    HDC dc_;
    std::wstring text_;
    std::vector<PrintLook> looks_;
    HFONT font_ = nullptr;
    HFONT boldFont_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    int lineHeight_ = 1;
    int tabWidth_ = 8;
};
