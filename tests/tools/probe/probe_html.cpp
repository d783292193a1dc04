// probe html boxes FILE WIDTH       one row per element with an id: id, x, y, width, height (border box)
// probe html at FILE WIDTH X Y      the element information the preview shows for that point
// probe html doc FILE               title, compatMode, then each style rule's selectorText and cssText
// probe html render FILE WIDTH OUT.bmp   the whole painted page as a bitmap
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Probe.h"
#include "html/document/HtmlDocument.h"
#include "html/paint/PagePainter.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "preview/ElementInfo.h"

namespace {

constexpr int ViewportHeight = 600;

void Print(const std::wstring& text)
{
    probe::WriteOut(platform::ToCodePage(text, CP_UTF8));
}

bool Open(html::HtmlDocument& doc, const std::wstring& file, int width)
{
    std::wstring error;
    if (!doc.Load(file, error)) {
        fwprintf(stderr, L"%ls\n", error.c_str());
        return false;
    }
    if (width > 0)
        doc.Layout(width, ViewportHeight);
    return true;
}

int Boxes(const std::vector<std::wstring>& a)
{
    html::HtmlDocument doc;
    if (!Open(doc, a[1], _wtoi(a[2].c_str())))
        return 1;
    std::wstring out;
    for (const html::Node* n : doc.Page().nodes) {
        const std::wstring* id = n->IsElement() ? n->Attribute(L"id") : nullptr;
        if (!id)
            continue;
        const html::Rect& r = doc.Boxes().boxes[n->index];
        if (r.w < 0)
            continue;
        out += *id + L"\t" + std::to_wstring(r.x) + L"\t" + std::to_wstring(r.y) + L"\t" + std::to_wstring(r.w) +
               L"\t" + std::to_wstring(r.h) + L"\n";
    }
    Print(out);
    return 0;
}

int At(const std::vector<std::wstring>& a)
{
    html::HtmlDocument doc;
    if (!Open(doc, a[1], _wtoi(a[2].c_str())))
        return 1;
    html::HtmlElement e = doc.ElementFromPoint(_wtoi(a[3].c_str()), _wtoi(a[4].c_str()));
    Print(ElementInformation(LoadStyleRules(doc), e) + L"\n");
    return 0;
}

int Doc(const std::vector<std::wstring>& a)
{
    html::HtmlDocument doc;
    if (!Open(doc, a[1], 0))
        return 1;
    std::wstring out = L"title\t" + doc.title() + L"\ncompatMode\t" + doc.compatMode() + L"\n";
    for (const html::HtmlStyleSheet& sheet : doc.styleSheets())
        for (const html::HtmlStyleRule& rule : sheet.rules)
            out += rule.selectorText + L"\t" + rule.cssText + L"\n";
    Print(out);
    return 0;
}

bool WriteBmp(const std::wstring& path, const uint8_t* pixels, int w, int h)
{
    int stride = (w * 3 + 3) & ~3;
    std::string file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size_t(stride) * h, '\0');
    auto* fh = reinterpret_cast<BITMAPFILEHEADER*>(&file[0]);
    auto* ih = reinterpret_cast<BITMAPINFOHEADER*>(&file[sizeof(BITMAPFILEHEADER)]);
    fh->bfType = 0x4D42;
    fh->bfSize = static_cast<DWORD>(file.size());
    fh->bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    ih->biSize = sizeof(BITMAPINFOHEADER);
    ih->biWidth = w;
    ih->biHeight = h;
    ih->biPlanes = 1;
    ih->biBitCount = 24;
    for (int y = 0; y < h; ++y) {
        const uint8_t* src = pixels + size_t(h - 1 - y) * w * 4;
        uint8_t* dst = reinterpret_cast<uint8_t*>(&file[fh->bfOffBits + size_t(y) * stride]);
        for (int x = 0; x < w; ++x) {
            dst[x * 3] = src[x * 4];
            dst[x * 3 + 1] = src[x * 4 + 1];
            dst[x * 3 + 2] = src[x * 4 + 2];
        }
    }
    return platform::WriteFileSafely(path, file);
}

int Render(const std::vector<std::wstring>& a)
{
    html::HtmlDocument doc;
    int width = _wtoi(a[2].c_str());
    if (width <= 0 || width > 8192 || !Open(doc, a[1], width)) {
        fwprintf(stderr, L"usage: probe html render FILE WIDTH OUT.bmp (WIDTH 1..8192)\n");
        return 1;
    }
    int w = std::max(width, 1);
    // Very long pages are cut at a height that keeps the bitmap in memory.
    int h = std::max(1, std::min(doc.Boxes().height, 16000000 / w));
    void* bits = nullptr;
    HBITMAP surface = html::CreateSurface(w, h, &bits);
    if (!surface) {
        fwprintf(stderr, L"no memory for a %dx%d bitmap\n", w, h);
        return 1;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, surface);
    html::PaintContext ctx{doc.Page(), doc.Styles(), doc.Boxes(), doc.Fonts(), doc.Images()};
    html::PaintPage(dc, ctx, html::Rect{0, 0, w, h});
    GdiFlush();
    bool ok = WriteBmp(a[3], static_cast<const uint8_t*>(bits), w, h);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(surface);
    printf("%s %dx%d\n", ok ? "written" : "not written", w, h);
    fflush(stdout);
    return ok ? 0 : 1;
}

} // namespace

static probe::Command reg(L"html", L"boxes FILE WIDTH | at FILE WIDTH X Y | doc FILE | render FILE WIDTH OUT.bmp",
                          [](const std::vector<std::wstring>& args) {
                              std::wstring verb = args.empty() ? L"" : args[0];
                              if (verb == L"boxes" && args.size() == 3)
                                  return Boxes(args);
                              if (verb == L"at" && args.size() == 5)
                                  return At(args);
                              if (verb == L"doc" && args.size() == 2)
                                  return Doc(args);
                              if (verb == L"render" && args.size() == 4)
                                  return Render(args);
                              fwprintf(stderr, L"usage: probe html boxes FILE WIDTH | at FILE WIDTH X Y | doc FILE | "
                                               L"render FILE WIDTH OUT.bmp\n");
                              return 2;
                          });
