#include "ImageStore.h"

#include <ocidl.h>
#include <olectl.h>

#include <cwctype>
#include <vector>

#include "html/parse/PageUrl.h"
#include "png/cPNG.h"

namespace html {

HBITMAP CreateSurface(int width, int height, void** bits)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (bits)
        *bits = p;
    return bmp;
}

ImageStore::ImageStore(std::function<bool(const std::wstring&, std::string&)> readFile) : read(std::move(readFile))
{
}

ImageStore::~ImageStore()
{
    for (auto& entry : cache)
        if (entry.second.bitmap)
            DeleteObject(entry.second.bitmap);
}

const Picture& ImageStore::Get(const std::wstring& src)
{
    std::wstring path = ResolveLocalPath(page, src);
    auto it = cache.find(path);
    if (it != cache.end())
        return it->second;
    return cache[path] = path.empty() ? Picture() : Load(path);
}

bool ImageStore::Size(const std::wstring& src, int& width, int& height)
{
    const Picture& p = Get(src);
    width = p.width;
    height = p.height;
    return p.ok;
}

namespace {

// A decoded bitmap file's pixels onto a new surface.
Picture FromBitmapFile(const std::vector<uint8_t>& bmp)
{
    Picture pic;
    if (bmp.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return pic;
    const auto* fh = reinterpret_cast<const BITMAPFILEHEADER*>(bmp.data());
    const auto* bi = reinterpret_cast<const BITMAPINFO*>(bmp.data() + sizeof(BITMAPFILEHEADER));
    if (fh->bfOffBits >= bmp.size())
        return pic;
    int w = bi->bmiHeader.biWidth, h = std::abs(bi->bmiHeader.biHeight);
    if (w <= 0 || h <= 0)
        return pic;
    void* bits = nullptr;
    pic.bitmap = CreateSurface(w, h, &bits);
    if (!pic.bitmap)
        return pic;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, pic.bitmap);
    StretchDIBits(dc, 0, 0, w, h, 0, 0, w, h, bmp.data() + fh->bfOffBits, bi, DIB_RGB_COLORS, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    pic.width = w;
    pic.height = h;
    pic.ok = true;
    return pic;
}

Picture FromPlatformPicture(const std::string& bytes)
{
    Picture pic;
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (mem) {
        void* p = GlobalLock(mem);
        memcpy(p, bytes.data(), bytes.size());
        GlobalUnlock(mem);
        IStream* stream = nullptr;
        if (SUCCEEDED(CreateStreamOnHGlobal(mem, TRUE, &stream))) {
            IPicture* picture = nullptr;
            if (SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                         reinterpret_cast<void**>(&picture))) && picture) {
                OLE_XSIZE_HIMETRIC hw = 0;
                OLE_YSIZE_HIMETRIC hh = 0;
                picture->get_Width(&hw);
                picture->get_Height(&hh);
                // HIMETRIC to pixels at 96 per inch.
                int w = MulDiv(hw, 96, 2540), h = MulDiv(hh, 96, 2540);
                if (w > 0 && h > 0 && static_cast<long long>(w) * h <= ImageStore::MaxPixels) {
                    void* bits = nullptr;
                    pic.bitmap = CreateSurface(w, h, &bits);
                    if (pic.bitmap) {
                        HDC dc = CreateCompatibleDC(nullptr);
                        HGDIOBJ old = SelectObject(dc, pic.bitmap);
                        RECT all{0, 0, w, h};
                        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
                        picture->Render(dc, 0, 0, w, h, 0, hh, hw, -hh, nullptr);
                        SelectObject(dc, old);
                        DeleteDC(dc);
                        pic.width = w;
                        pic.height = h;
                        pic.ok = true;
                    }
                }
                picture->Release();
            }
            stream->Release(); // frees the memory as well
            mem = nullptr;
        }
        if (mem)
            GlobalFree(mem);
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return pic;
}

} // namespace

Picture ImageStore::Load(const std::wstring& path)
{
    std::string bytes;
    if (!read || !read(path, bytes) || bytes.empty() || bytes.size() > MaxFileBytes)
        return Picture();
    if (bytes.size() > 8 && static_cast<unsigned char>(bytes[0]) == 0x89 && bytes.compare(1, 3, "PNG") == 0) {
        cPNG png(0xFFFFFF);
        std::vector<uint8_t> bmp;
        if (png.DecodeToBitmap(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), bmp) != cPNG::PngOk)
            return Picture();
        return FromBitmapFile(bmp);
    }
    return FromPlatformPicture(bytes);
}

} // namespace html
