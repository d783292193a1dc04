#include "FontCache.h"

#include <algorithm>
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
    for (auto& f : fonts)
        if (f->handle)
            DeleteObject(f->handle);
    if (dc)
        DeleteDC(dc);
}

std::wstring FontCache::FaceFor(const std::wstring& family)
{
    auto it = faces.find(family);
    if (it != faces.end())
        return it->second;
    std::wstring key = LowerText(family);
    auto has = [&](const wchar_t* name) {
        return std::binary_search(installed.begin(), installed.end(), LowerText(name));
    };
    // Generic families and the usual page fonts, with the metric-compatible
    // faces a system without them may have.
    static const struct { const wchar_t* names; const wchar_t* choices[3]; } aliases[] = {
        {L"|serif|times new roman|times|georgia|", {L"Times New Roman", L"Liberation Serif", L"DejaVu Serif"}},
        {L"|sans-serif|arial|helvetica|verdana|tahoma|trebuchet ms|geneva|lucida grande|ms sans serif|",
         {L"Arial", L"Liberation Sans", L"DejaVu Sans"}},
        {L"|monospace|courier new|courier|lucida console|consolas|", {L"Courier New", L"Liberation Mono", L"DejaVu Sans Mono"}},
        {L"|cursive|comic sans ms|fantasy|impact|", {L"Comic Sans MS", L"Liberation Sans", L"DejaVu Sans"}},
    };
    std::wstring face;
    if (has(family.c_str()))
        face = family;
    for (const auto& a : aliases) {
        if (!face.empty())
            break;
        if (std::wstring(a.names).find(L"|" + key + L"|") == std::wstring::npos)
            continue;
        for (const wchar_t* c : a.choices)
            if (has(c)) {
                face = c;
                break;
            }
    }
    if (face.empty())
        face = has(L"Times New Roman") ? L"Times New Roman" : has(L"Liberation Serif") ? L"Liberation Serif" : family;
    faces[family] = face;
    return face;
}

int FontCache::FontFor(const ComputedStyle& s)
{
    return FontFor(s.fontFamily, std::max(1, int(s.fontSize + 0.5f)), s.fontWeight >= 600, s.italic);
}

int FontCache::FontFor(const std::wstring& family, int pixels, bool bold, bool italic)
{
    pixels = std::min(pixels, 2000);
    std::wstring key = family + L"|" + std::to_wstring(pixels) + (bold ? L"b" : L"") + (italic ? L"i" : L"");
    auto it = byKey.find(key);
    if (it != byKey.end())
        return it->second;
    auto f = std::make_unique<Font>();
    std::wstring face = FaceFor(family);
    f->handle = CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                            face.substr(0, LF_FACESIZE - 1).c_str());
    HGDIOBJ old = SelectObject(dc, f->handle);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    f->metrics.ascent = tm.tmAscent;
    f->metrics.descent = tm.tmDescent;
    f->metrics.lineGap = tm.tmExternalLeading;
    SIZE x{};
    GetTextExtentPoint32W(dc, L"x", 1, &x);
    f->metrics.xHeight = std::max(1, int(tm.tmAscent * 0.5 + 0.5)); // GDI gives no x-height; half the ascent is near it
    SelectObject(dc, old);
    selected = -1;
    fonts.push_back(std::move(f));
    int id = static_cast<int>(fonts.size() - 1);
    byKey[key] = id;
    return id;
}

const std::array<unsigned short, 256>& FontCache::WidthBlock(int font, unsigned block)
{
    Font& f = *fonts[font];
    if (f.widths.size() <= block)
        f.widths.resize(block + 1);
    if (!f.widths[block]) {
        auto table = std::make_unique<std::array<unsigned short, 256>>();
        if (selected != font) {
            SelectObject(dc, f.handle);
            selected = font;
        }
        INT w[256];
        if (!GetCharWidth32W(dc, block << 8, (block << 8) + 255, w))
            std::fill(w, w + 256, f.metrics.ascent / 2);
        for (int i = 0; i < 256; ++i)
            (*table)[i] = static_cast<unsigned short>(std::max(0, std::min(w[i], 65535)));
        f.widths[block] = std::move(table);
    }
    return *f.widths[block];
}

int FontCache::TextWidth(int font, const wchar_t* text, size_t length)
{
    long long total = 0;
    unsigned lastBlock = 0xFFFFFFFF;
    const std::array<unsigned short, 256>* table = nullptr;
    for (size_t i = 0; i < length; ++i) {
        unsigned c = static_cast<unsigned short>(text[i]);
        unsigned block = c >> 8;
        if (block != lastBlock) {
            table = &WidthBlock(font, block);
            lastBlock = block;
        }
        total += (*table)[c & 255];
    }
    return static_cast<int>(std::min<long long>(total, 100000000));
}

void FontCache::Advances(int font, const std::wstring& text, std::vector<int>& out)
{
    out.resize(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned c = static_cast<unsigned short>(text[i]);
        out[i] = WidthBlock(font, c >> 8)[c & 255];
    }
}

} // namespace html
