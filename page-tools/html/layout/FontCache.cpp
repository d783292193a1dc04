#include "FontCache.h"

#include <algorithm>
#include <climits>
#include <cwctype>

namespace html {
namespace {

std::wstring LowerText(std::wstring s)
{
    for (wchar_t& c : s)
        c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

int CALLBACK CollectFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM param)
{
    auto* list = reinterpret_cast<std::vector<std::wstring>*>(param);
    list->push_back(LowerText(lf->lfFaceName));
    return 1;
}

} // namespace

FontCache::FontCache()
{
    dc = CreateCompatibleDC(nullptr);
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &lf, CollectFamily, reinterpret_cast<LPARAM>(&installed), 0);
    std::sort(installed.begin(), installed.end());
}

FontCache::~FontCache()
{
    for (auto& f : fonts) {
        if (f->handle)
            DeleteObject(f->handle);
        if (f->measure)
            DeleteObject(f->measure);
    }
    if (dc)
        DeleteDC(dc);
}

std::wstring FontCache::FaceFor(const std::wstring& family)
{
    auto it = faces.find(family);
    if (it != faces.end())
        return it->second;
    auto has = [&](const std::wstring& name) {
        return std::binary_search(installed.begin(), installed.end(), LowerText(name));
    };
    // Generic families and the usual page fonts, with the metric-compatible
    // faces a system without them may have. A family neither installed nor
    // known here gives way to the next one of the list, as in browsers.
    static const struct { const wchar_t* names; const wchar_t* choices[3]; } aliases[] = {
        {L"|serif|times new roman|times|", {L"Times New Roman", L"Liberation Serif", L"DejaVu Serif"}},
        {L"|sans-serif|arial|helvetica|", {L"Arial", L"Liberation Sans", L"DejaVu Sans"}},
        {L"|monospace|courier new|courier|", {L"Courier New", L"Liberation Mono", L"DejaVu Sans Mono"}},
        {L"|cursive|fantasy|", {L"Comic Sans MS", L"Liberation Sans", L"DejaVu Sans"}},
    };
    std::wstring face;
    size_t start = 0;
    while (face.empty() && start <= family.size()) {
        size_t comma = family.find(L',', start);
        if (comma == std::wstring::npos)
            comma = family.size();
        std::wstring name = family.substr(start, comma - start);
        start = comma + 1;
        size_t b = name.find_first_not_of(L" \t"), e = name.find_last_not_of(L" \t");
        if (b == std::wstring::npos)
            continue;
        name = name.substr(b, e - b + 1);
        std::wstring key = LowerText(name);
        if (key != L"serif" && key != L"sans-serif" && key != L"monospace" && has(name)) {
            face = name;
            break;
        }
        for (const auto& a : aliases) {
            if (std::wstring(a.names).find(L"|" + key + L"|") == std::wstring::npos)
                continue;
            for (const wchar_t* c : a.choices)
                if (has(c)) {
                    face = c;
                    break;
                }
            break;
        }
    }
    if (face.empty()) // the browsers' standard font
        face = has(L"Times New Roman") ? L"Times New Roman" : has(L"Liberation Serif") ? L"Liberation Serif" : L"Times New Roman";
    faces[family] = face;
    return face;
}

float FontCache::XHeightRatio(const std::wstring& family, bool bold, bool italic)
{
    // Read large, where the ink height of the "x" rounds to a thousandth.
    return Metrics(FontFor(family, 1000.0f, bold, italic)).xHeight / 1000.0f;
}

int FontCache::FontFor(const ComputedStyle& s)
{
    return FontFor(s.fontFamily, s.fontSize, s.fontWeight >= 600, s.italic);
}

int FontCache::FontFor(const std::wstring& family, float size, bool bold, bool italic)
{
    // Text is measured at the size asked for, fractions of a pixel too, and
    // drawn with the face at the nearest whole size.
    size = std::max(1.0f, std::min(size, 2000.0f));
    int pixels = static_cast<int>(size + 0.5f);
    int size64 = static_cast<int>(size * 64 + 0.5f);
    std::wstring key = family + L"|" + std::to_wstring(size64) + (bold ? L"b" : L"") + (italic ? L"i" : L"");
    auto it = byKey.find(key);
    if (it != byKey.end())
        return it->second;
    auto f = std::make_unique<Font>();
    std::wstring face = FaceFor(family);
    f->handle = CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                            face.substr(0, LF_FACESIZE - 1).c_str());
    // Measured at 2048 pixels, the em of most outline faces: the advances
    // come out in the face's own units, without rounding to the small size.
    f->pixels = pixels;
    f->size64 = size64;
    f->kernKey = face + (bold ? L"|b" : L"|") + (italic ? L"i" : L"");
    f->measurePixels = std::max(pixels, 2048);
    f->measure = f->measurePixels == pixels
                     ? nullptr
                     : CreateFontW(-f->measurePixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                   DEFAULT_PITCH, face.substr(0, LF_FACESIZE - 1).c_str());
    if (!f->measure)
        f->measurePixels = pixels;
    HGDIOBJ old = SelectObject(dc, f->handle);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    f->metrics.ascent = tm.tmAscent;
    f->metrics.descent = tm.tmDescent;
    f->metrics.lineGap = tm.tmExternalLeading;
    // The x-height is the ink height of an "x"; half the ascent where the face has no outline.
    GLYPHMETRICS gm{};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    if (GetGlyphOutlineW(dc, L'x', GGO_METRICS, &gm, 0, nullptr, &identity) != GDI_ERROR && gm.gmBlackBoxY > 0)
        f->metrics.xHeight = static_cast<int>(gm.gmBlackBoxY);
    else
        f->metrics.xHeight = std::max(1, int(tm.tmAscent * 0.5 + 0.5));
    SelectObject(dc, old);
    selected = -1;
    fonts.push_back(std::move(f));
    int id = static_cast<int>(fonts.size() - 1);
    byKey[key] = id;
    return id;
}

const std::array<unsigned, 256>& FontCache::WidthBlock(int font, unsigned block)
{
    Font& f = *fonts[font];
    if (f.widths.size() <= block)
        f.widths.resize(block + 1);
    if (!f.widths[block]) {
        auto table = std::make_unique<std::array<unsigned, 256>>();
        if (selected != font) {
            SelectObject(dc, f.measure ? f.measure : f.handle);
            selected = font;
        }
        INT w[256];
        if (!GetCharWidth32W(dc, block << 8, (block << 8) + 255, w))
            std::fill(w, w + 256, f.metrics.ascent * f.measurePixels / f.pixels / 2);
        for (int i = 0; i < 256; ++i)
            (*table)[i] = static_cast<unsigned>(
                (static_cast<unsigned long long>(std::max(0, std::min(w[i], 1 << 22))) * unsigned(f.size64) +
                 unsigned(f.measurePixels / 2)) /
                unsigned(f.measurePixels));
        f.widths[block] = std::move(table);
    }
    return *f.widths[block];
}

int FontCache::TextWidth(int font, const wchar_t* text, size_t length)
{
    return static_cast<int>(TextAdvance(font, text, length) + 0.5);
}

int Kerning::Between(wchar_t a, wchar_t b) const
{
    unsigned first = static_cast<unsigned short>(a);
    if (!(firsts[first / 32] >> (first % 32) & 1))
        return 0;
    unsigned key = first << 16 | static_cast<unsigned short>(b);
    auto it = std::lower_bound(pairs.begin(), pairs.end(), std::make_pair(key, INT_MIN));
    return it != pairs.end() && it->first == key ? it->second : 0;
}

const Kerning& FontCache::KerningOf(Font& f, int font)
{
    auto& table = kernings[f.kernKey];
    if (!table) {
        table = std::make_unique<Kerning>();
        if (selected != font) {
            SelectObject(dc, f.measure ? f.measure : f.handle);
            selected = font;
        }
        DWORD count = f.measurePixels == 2048 ? GetKerningPairsW(dc, 0, nullptr) : 0;
        if (count > 0 && count <= 100000) {
            std::vector<KERNINGPAIR> got(count);
            count = GetKerningPairsW(dc, count, got.data());
            for (DWORD i = 0; i < count && i < got.size(); ++i)
                if (got[i].iKernAmount != 0)
                    table->pairs.emplace_back(unsigned(got[i].wFirst) << 16 | got[i].wSecond, got[i].iKernAmount);
            std::sort(table->pairs.begin(), table->pairs.end());
            for (const auto& k : table->pairs)
                table->firsts[(k.first >> 16) / 32] |= 1u << ((k.first >> 16) % 32);
        }
    }
    f.kerning = table.get();
    return *table;
}

double FontCache::TextAdvance(int font, const wchar_t* text, size_t length)
{
    Font& f = *fonts[font];
    const Kerning& k = f.kerning ? *f.kerning : KerningOf(f, font);
    long long units = 0; // at 2048 pixels
    if (!k.pairs.empty())
        for (size_t i = 1; i < length; ++i)
            units += k.Between(text[i - 1], text[i]);
    long long kern = units * f.size64 / 2048;
    unsigned long long total = 0;
    unsigned lastBlock = 0xFFFFFFFF;
    const std::array<unsigned, 256>* table = nullptr;
    for (size_t i = 0; i < length; ++i) {
        unsigned c = static_cast<unsigned short>(text[i]);
        unsigned block = c >> 8;
        if (block != lastBlock) {
            table = &WidthBlock(font, block);
            lastBlock = block;
        }
        total += (*table)[c & 255];
    }
    long long sum = static_cast<long long>(std::min<unsigned long long>(total, 6400000000ull)) + kern;
    return static_cast<double>(std::max<long long>(sum, 0)) / 64.0;
}

const std::array<unsigned short, 256>& FontCache::HintedBlock(int font, unsigned block)
{
    Font& f = *fonts[font];
    if (f.hinted.size() <= block)
        f.hinted.resize(block + 1);
    if (!f.hinted[block]) {
        auto table = std::make_unique<std::array<unsigned short, 256>>();
        SelectObject(dc, f.handle);
        selected = -1;
        INT w[256];
        if (!GetCharWidth32W(dc, block << 8, (block << 8) + 255, w))
            std::fill(w, w + 256, f.metrics.ascent / 2);
        for (int i = 0; i < 256; ++i)
            (*table)[i] = static_cast<unsigned short>(std::max(0, std::min(w[i], 65535)));
        f.hinted[block] = std::move(table);
    }
    return *f.hinted[block];
}

void FontCache::Advances(int font, const std::wstring& text, std::vector<int>& out)
{
    // The drawn glyphs' own advances, with the difference to the measured
    // width spread over the gaps between them, so that a word keeps its
    // glyphs' natural spacing and still ends where the layout put its end.
    out.resize(text.size());
    int drawn = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned c = static_cast<unsigned short>(text[i]);
        out[i] = HintedBlock(font, c >> 8)[c & 255];
        drawn += out[i];
    }
    if (text.size() < 2)
        return;
    int diff = TextWidth(font, text) - drawn;
    int gaps = static_cast<int>(text.size()) - 1;
    for (int g = 0; g < gaps; ++g)
        out[g] += (diff * (g + 1)) / gaps - (diff * g) / gaps;
}

} // namespace html
