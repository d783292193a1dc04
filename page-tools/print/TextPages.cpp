#include "TextPages.h"

#include <algorithm>

TextPages::TextPages(HDC dc, std::wstring text, const std::wstring& fontName, int fontSize,
                     std::vector<PrintLook> looks)
    : dc_(dc), text_(std::move(text)), looks_(std::move(looks))
{
    if (looks_.size() != text_.size())
        looks_.clear();
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(fontSize > 0 ? fontSize : 10, GetDeviceCaps(dc, LOGPIXELSY), 72);
    lstrcpynW(lf.lfFaceName, fontName.c_str(), LF_FACESIZE);
    font_ = CreateFontIndirectW(&lf);
    lf.lfWeight = FW_BOLD;
    boldFont_ = CreateFontIndirectW(&lf);
    oldFont_ = SelectObject(dc_, font_);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    lineHeight_ = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
    tabWidth_ = std::max<int>(1, 8 * tm.tmAveCharWidth);
}

TextPages::~TextPages()
{
    SelectObject(dc_, oldFont_);
    DeleteObject(font_);
    DeleteObject(boldFont_);
}

long TextPages::RenderPage(long start, const RECT& area)
{
    const int dpiX = GetDeviceCaps(dc_, LOGPIXELSX), dpiY = GetDeviceCaps(dc_, LOGPIXELSY);
    const int left = MulDiv(area.left, dpiX, 1440), width = MulDiv(area.right - area.left, dpiX, 1440);
    const int top = MulDiv(area.top, dpiY, 1440), bottom = MulDiv(area.bottom, dpiY, 1440);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(0, 0, 0));
    long pos = start;
    for (int y = top; pos < static_cast<long>(text_.size()) && y + lineHeight_ <= bottom; y += lineHeight_)
        pos = DrawLine(pos, left, width, y);
    return pos;
}

// Draws one printed line from start: the paragraph's text up to its end or
// as much as fits, broken after the last blank that fits when there is one.
// Returns the position of the next line.
long TextPages::DrawLine(long start, int left, int width, int y)
{
    size_t end = text_.find(L'\r', start);
    if (end == std::wstring::npos)
        end = text_.size();
    const wchar_t* line = text_.c_str() + start;
    int length = static_cast<int>(end - start);
    INT tab = tabWidth_;
    auto fits = [&](int n) { return static_cast<int>(LOWORD(GetTabbedTextExtentW(dc_, line, n, 1, &tab))) <= width; };
    int fit = length;
    if (length > 1 && !fits(length)) {
        // Tabs make a part's width depend on all before it: the longest
        // start that fits, by halving; at least one character per line.
        int low = 1, high = length - 1;
        while (low < high) {
            int mid = (low + high + 1) / 2;
            if (fits(mid))
                low = mid;
            else
                high = mid - 1;
        }
        fit = low;
    }
    long next = static_cast<long>(end) + 1;
    if (fit < length) {
        int breakAt = fit;
        while (breakAt > 0 && line[breakAt - 1] != L' ' && line[breakAt - 1] != L'\t')
            --breakAt;
        if (breakAt > 0)
            fit = breakAt;
        next = start + fit;
    }
    DrawRuns(line, start, fit, left, y, tab);
    return next;
}

// Draws count characters of line (text position start) run by run, each in
// its colour and weight. Lines are measured in the regular face: a bold run
// of a proportional face may reach a little past the right margin.
void TextPages::DrawRuns(const wchar_t* line, long start, int count, int left, int y, INT tab)
{
    if (looks_.empty()) {
        TabbedTextOutW(dc_, left, y, line, count, 1, &tab, left);
        return;
    }
    int x = left;
    for (int i = 0; i < count;) {
        const PrintLook& look = looks_[static_cast<size_t>(start + i)];
        int n = 1;
        while (i + n < count && looks_[static_cast<size_t>(start + i + n)] == look)
            ++n;
        SelectObject(dc_, look.bold ? boldFont_ : font_);
        SetTextColor(dc_, look.colour);
        // Tabs keep their stops from the line's left edge.
        x += LOWORD(TabbedTextOutW(dc_, x, y, line + i, n, 1, &tab, left));
        i += n;
    }
    SelectObject(dc_, font_);
    SetTextColor(dc_, RGB(0, 0, 0));
}
