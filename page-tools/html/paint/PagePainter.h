#pragma once
// Paints a laid-out page with GDI: backgrounds, borders, text with its
// decorations, pictures, list markers and form controls in the system look.
#include <windows.h>

#include "ImageStore.h"
#include "html/layout/PageLayout.h"

namespace html {

struct PaintContext {
    const ParsedPage& page;
    const StyledPage& styles;
    const PageLayout& layout;
    FontCache& fonts;
    ImageStore& images;
};

// Paints the document rectangle area into dc, whose pixel (0, 0) shows the
// document point (area.x, area.y).
void PaintPage(HDC dc, const PaintContext& ctx, const Rect& area);

// The colour the page's canvas is filled with (the root's or the body's background).
Color CanvasColor(const PaintContext& ctx);

} // namespace html
