#pragma once
// Fonts for layout and painting: one GDI font per family, size, weight and
// slant, its metrics, and advance widths measured once per block of 256
// characters, so that measuring a long page costs table look-ups and not a
// call per word. The widths are read from the face at 2048 pixels and kept
// in 64ths of a pixel, so that text is as wide as its design says
// rather than as its hinted pixels add up. Works on a memory device
// context; no window is needed.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "html/style/ComputedStyle.h"

namespace html {

struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int lineGap = 0;   // external leading: part of line-height "normal"
    int xHeight = 0;
    int NormalLineHeight() const { return ascent + descent + lineGap; }
};

// A face's kerning, by pair of characters (first << 16 | second), in its
// units at 2048 pixels: browsers kern text, so lines must too. Sorted, with
// a bit for each character that starts a pair: most characters start none,
// and a look-up costs one test.
struct Kerning {
    std::vector<std::pair<unsigned, int>> pairs;
    std::vector<unsigned> firsts = std::vector<unsigned>(65536 / 32, 0);
    int Between(wchar_t a, wchar_t b) const;
};

class FontCache {
public:
    FontCache();
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    int FontFor(const ComputedStyle& s);
    int FontFor(const std::wstring& family, float size, bool bold, bool italic);
    const FontMetrics& Metrics(int font) const { return fonts[font]->metrics; }
    // The text's advance in pixels, fractions kept: lines are laid out in these.
    double TextAdvance(int font, const wchar_t* text, size_t length);
    int TextWidth(int font, const wchar_t* text, size_t length);
    int TextWidth(int font, const std::wstring& text) { return TextWidth(font, text.data(), text.size()); }
    // Each character's advance, as TextWidth counts them; painting places glyphs by these.
    void Advances(int font, const std::wstring& text, std::vector<int>& out);
    HFONT Handle(int font) const { return fonts[font]->handle; }
    // The x-height of the family's face as a share of its size.
    float XHeightRatio(const std::wstring& family, bool bold, bool italic);
    // The installed face a page's family name is drawn with.
    std::wstring FaceFor(const std::wstring& family);

private:
    struct Font {
        HFONT handle = nullptr;
        HFONT measure = nullptr;  // the same face at measurePixels
        int pixels = 1, measurePixels = 1;
        int size64 = 64; // the size text is measured at, in 64ths of a pixel
        std::wstring kernKey;         // face, weight and slant: all sizes share one kerning table
        const struct Kerning* kerning = nullptr;
        FontMetrics metrics;
        std::vector<std::unique_ptr<std::array<unsigned, 256>>> widths; // by high byte, in 64ths of a pixel
        std::vector<std::unique_ptr<std::array<unsigned short, 256>>> hinted; // the drawn glyphs' own advances
    };
    const std::array<unsigned short, 256>& HintedBlock(int font, unsigned block);
    const std::array<unsigned, 256>& WidthBlock(int font, unsigned block);
    const Kerning& KerningOf(Font& f, int font);

    HDC dc = nullptr;
    std::vector<std::unique_ptr<Font>> fonts;
    std::unordered_map<std::wstring, int> byKey;
    std::unordered_map<std::wstring, std::unique_ptr<Kerning>> kernings;
    std::unordered_map<std::wstring, std::wstring> faces;
    std::vector<std::wstring> installed; // lower-case family names
    int selected = -1;
};

} // namespace html
