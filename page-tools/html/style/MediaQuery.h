#pragma once
// Media query lists (@media, @import, <link media>, <style media>) and
// their evaluation against the view a page is laid out for: the preview's
// window or a printed sheet.
#include <string>
#include <vector>

namespace html {

// What a query is asked about: the medium and the size of the view in CSS pixels.
struct MediaEnv {
    bool print = false;
    int width = 800;
    int height = 600;
    bool operator==(const MediaEnv& o) const { return print == o.print && width == o.width && height == o.height; }
    bool operator!=(const MediaEnv& o) const { return !(*this == o); }
};

struct MediaFeature {
    enum Name : unsigned char { Width, Height, AspectRatio, Orientation, Resolution, Color, Monochrome, Hover,
                                Pointer, ColorScheme, ReducedMotion, Grid, Unknown } name = Unknown;
    enum Test : unsigned char { Present, Min, Max, Equal, Less, Greater } test = Present;
    float value = 0;       // pixels, a ratio, dots per pixel, or a count
    std::wstring keyword;  // orientation, hover, pointer and preference keywords
};

struct MediaQuery {
    bool negated = false;
    enum Type : unsigned char { All, Screen, Print, Other } type = All;
    std::vector<MediaFeature> features; // all must hold
    bool valid = true;                  // a query that cannot be read matches nothing
};

class MediaQueryList {
public:
    MediaQueryList() = default;
    // Text after "@media" or in a media attribute; empty text matches everything.
    explicit MediaQueryList(const std::wstring& text);
    bool Matches(const MediaEnv& env) const;
    // Whether the answer depends on the view's size (so a resize must cascade again).
    bool DependsOnSize() const;
    bool Empty() const { return queries.empty(); }

private:
    std::vector<MediaQuery> queries;
};

} // namespace html
