#pragma once
// The laid-out page: every element's border box in document pixels and the
// list of things to paint, in painting order, which hit testing walks
// backwards.
#include <functional>
#include <string>
#include <vector>

#include "FontCache.h"
#include "html/parse/Node.h"
#include "html/style/StyleResolver.h"

namespace html {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
    bool Intersects(const Rect& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
};

struct DisplayItem {
    enum Kind : unsigned char { Box, Text, Image, Control, Marker } kind = Box;
    unsigned char layer = 0;  // painting order: block boxes, floats, inline content, positioned
    int node = -1;            // the element it belongs to (a text's parent element)
    Rect r;                   // border box, or the text's cell (top = baseline - ascent)
    int clip = -1;            // index into PageLayout::clips
    int text = -1;            // index into PageLayout::texts (Text, Marker)
    int font = -1;            // Text, Marker
    int trail = 0;            // Text: the space after it that its underline also covers
};

struct ClipRect {
    Rect r;
    int parent = -1;
};

struct PageLayout {
    std::vector<DisplayItem> items;
    std::vector<std::wstring> texts;
    std::vector<ClipRect> clips;
    std::vector<Rect> boxes;       // by node index; w < 0 for nodes without a box
    int width = 0, height = 0;     // the scrollable document size
    int viewportWidth = 0, viewportHeight = 0;
};

// The intrinsic size of an image a page names, from its file; false when it
// cannot be read or decoded.
using ImageSizer = std::function<bool(const std::wstring& src, int& width, int& height)>;

struct LayoutInput {
    const ParsedPage& page;
    const StyledPage& styles;
    FontCache& fonts;
    ImageSizer imageSize;
    int viewportWidth = 800;
    int viewportHeight = 600;
};

PageLayout LayoutPage(const LayoutInput& input);

// The element painted topmost at a document point (the deepest one there),
// or nullptr.
const Node* ElementAt(const PageLayout& layout, const ParsedPage& page, int x, int y);
// The caption a push button (<button>, <input type=submit|reset|button|file>) shows.
std::wstring ButtonCaption(const Node& e);
// Whether a point lies inside an item's clip chain.
bool InsideClips(const PageLayout& layout, int clip, int x, int y);

} // namespace html
