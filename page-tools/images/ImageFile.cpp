#include "ImageFile.h"

#include "GetRegString.h"
#include "ImageRules.h"
#include "WholeImageFile.h"
#include "platform/Paths.h"
#include "platform/FaultGuard.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "png/PixelConvert.h"
#include "png/cPNG.h"

#include <ole2.h>
#include <olectl.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace images {

namespace {

// A top-down 32-bit DIB section of the given size; bits receives its pixels.
HBITMAP MakeDib(long width, long height, void*& bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// The bitmap file the PNG reader made in memory, copied into a DIB section.
bool DibFromBitmapFile(const std::vector<uint8_t>& file, LoadedImage& image)
{
    if (file.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPFILEHEADER head;
    std::memcpy(&head, file.data(), sizeof(head));
    const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + sizeof(head));
    if (head.bfOffBits >= file.size())
        return false;
    const long width = info->bmiHeader.biWidth;
    const long height = std::labs(info->bmiHeader.biHeight);
    void* bits = nullptr;
    platform::GdiObject dib(MakeDib(width, height, bits));
    if (!dib)
        return false;
    HDC screen = GetDC(nullptr);
    int rows = SetDIBits(screen, static_cast<HBITMAP>(dib.Get()), 0, height, file.data() + head.bfOffBits, info,
                         DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != height)
        return false;
    image.bitmap = std::move(dib);
    image.width = width;
    image.height = height;
    return true;
}

LoadResult LoadPng(const std::wstring& path, COLORREF backColour, LoadedImage& image)
{
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(path, bytes))
        return LoadResult::PngFailed;
    cPNG png(backColour);
    std::vector<uint8_t> bmp;
    if (png.DecodeToBitmap(bytes.data(), bytes.size(), bmp) != cPNG::PngOk)
        return LoadResult::PngFailed;
    return DibFromBitmapFile(bmp, image) ? LoadResult::Ok : LoadResult::LoadFailed;
}

// The system's picture object for a file's bytes; null when it refuses them.
// The system decoders run guarded: a damaged file may fault inside them.
IPicture* OpenPicture(const std::vector<uint8_t>& bytes)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory)
        return nullptr;
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    IPicture* picture = nullptr;
    struct Call {
        IStream* stream;
        LONG size;
        IPicture** picture;
    } call{stream, static_cast<LONG>(bytes.size()), &picture};
    bool ran = platform::RunGuarded(
        [](void* c) {
            auto* p = static_cast<Call*>(c);
            if (FAILED(OleLoadPicture(p->stream, p->size, FALSE, IID_IPicture, reinterpret_cast<void**>(p->picture))))
                *p->picture = nullptr;
        },
        &call);
    stream->Release();
    if (!ran)
        return nullptr;
    return picture;
}

// Pixel size of a loaded picture: from its bitmap or icon where it has one,
// so nothing is lost to the rounding of its metric size.
bool PictureSize(IPicture* picture, long& width, long& height)
{
    short type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    picture->get_Type(&type);
    picture->get_Handle(&handle);
    if (type == PICTYPE_BITMAP) {
        BITMAP bm{};
        if (!GetObjectW(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof(bm), &bm))
            return false;
        width = bm.bmWidth;
        height = bm.bmHeight;
        return width > 0 && height > 0;
    }
    if (type == PICTYPE_ICON) {
        ICONINFO icon{};
        if (!GetIconInfo(reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)), &icon))
            return false;
        BITMAP bm{};
        GetObjectW(icon.hbmColor ? icon.hbmColor : icon.hbmMask, sizeof(bm), &bm);
        width = bm.bmWidth;
        height = icon.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        if (icon.hbmColor)
            DeleteObject(icon.hbmColor);
        if (icon.hbmMask)
            DeleteObject(icon.hbmMask);
        return width > 0 && height > 0;
    }
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    HDC screen = GetDC(nullptr);
    width = MulDiv(hmWidth, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    height = MulDiv(hmHeight, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    ReleaseDC(nullptr, screen);
    return width > 0 && height > 0;
}

bool RenderPicture(IPicture* picture, long width, long height, COLORREF backColour, LoadedImage& image)
{
    void* bits = nullptr;
    platform::GdiObject dib(MakeDib(width, height, bits));
    if (!dib)
        return false;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib.Get());
    RECT all{0, 0, width, height};
    HBRUSH back = CreateSolidBrush(backColour);
    FillRect(dc, &all, back);
    DeleteObject(back);
    HRESULT hr = picture->Render(dc, 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
    SelectObject(dc, old);
    DeleteDC(dc);
    if (FAILED(hr))
        return false;
    image.bitmap = std::move(dib);
    image.width = width;
    image.height = height;
    return true;
}

// An icon whose image is stored as a PNG: the picture object reports it as
// 0 x 0 and draws nothing, while the system's icon drawing takes it.
bool LoadPngIcon(const std::vector<uint8_t>& bytes, COLORREF backColour, LoadedImage* image, long& width,
                 long& height)
{
    size_t offset = 0, size = 0;
    long w = 0, h = 0;
    if (!IconPngFrame(bytes, offset, size, w, h))
        return false;
    struct Call {
        const uint8_t* data;
        DWORD size;
        long w, h;
        HICON icon;
    } call{bytes.data() + offset, static_cast<DWORD>(size), w, h, nullptr};
    // The system's PNG decoder runs guarded, as the picture loading does.
    if (!platform::RunGuarded(
            [](void* c) {
                auto* p = static_cast<Call*>(c);
                p->icon = CreateIconFromResourceEx(const_cast<PBYTE>(p->data), p->size, TRUE, 0x00030000, p->w,
                                                   p->h, LR_DEFAULTCOLOR);
            },
            &call) ||
        !call.icon)
        return false;
    bool ok = true;
    if (image) {
        void* bits = nullptr;
        platform::GdiObject dib(MakeDib(w, h, bits));
        ok = static_cast<bool>(dib);
        if (ok) {
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, dib.Get());
            RECT all{0, 0, w, h};
            HBRUSH back = CreateSolidBrush(backColour);
            FillRect(dc, &all, back);
            DeleteObject(back);
            ok = DrawIconEx(dc, 0, 0, call.icon, w, h, 0, nullptr, DI_NORMAL) != FALSE;
            SelectObject(dc, old);
            DeleteDC(dc);
        }
        if (ok) {
            image->bitmap = std::move(dib);
            image->width = w;
            image->height = h;
        }
    }
    DestroyIcon(call.icon);
    if (ok) {
        width = w;
        height = h;
    }
    return ok;
}

LoadResult LoadPicture(const std::wstring& path, const std::wstring& ext, COLORREF backColour,
                       LoadedImage* image, long& width, long& height)
{
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(path, bytes) || bytes.empty())
        return LoadResult::LoadFailed;
    if ((platform::SameText(ext, L"BMP") && !WholeBitmapFile(bytes)) ||
        (platform::SameText(ext, L"ICO") && !WholeIconFile(bytes)))
        return LoadResult::LoadFailed;
    bool ok = false;
    if (IPicture* picture = OpenPicture(bytes)) {
        ok = PictureSize(picture, width, height) &&
             (!image || RenderPicture(picture, width, height, backColour, *image));
        picture->Release();
    }
    if (!ok && platform::SameText(ext, L"ICO"))
        ok = LoadPngIcon(bytes, backColour, image, width, height);
    return ok ? LoadResult::Ok : LoadResult::LoadFailed;
}

} // namespace

COLORREF UserButtonFace()
{
    return png::ParseButtonFace(GetRegString(HKEY_CURRENT_USER, L"Control Panel\\Colors", L"ButtonFace"));
}

LoadResult LoadImageFile(const std::wstring& path, const std::wstring& ext, COLORREF backColour,
                         LoadedImage& image)
{
    if (platform::SameText(ext, L"PNG"))
        return LoadPng(path, backColour, image);
    long width = 0, height = 0;
    return LoadPicture(path, ext, backColour, &image, width, height);
}

LoadResult MeasureImageFile(const std::wstring& path, const std::wstring& ext, long& width, long& height)
{
    if (platform::SameText(ext, L"PNG")) {
        cPNG png;
        if (png.OpenPNG(path, L"", false) != cPNG::PngOk)
            return LoadResult::PngFailed;
        width = png.Width();
        height = png.Height();
        return LoadResult::Ok;
    }
    return LoadPicture(path, ext, 0, nullptr, width, height);
}

TagResult ImageTagFor(int kind, const std::wstring& path, std::wstring& line)
{
    // The image's own extension, kept here: the document's extension is not
    // the image's business.
    const std::wstring ext = platform::Upper(platform::GetExtension(path));
    if (!IsTagType(ext))
        return TagResult::WrongType;
    long width = 0, height = 0;
    switch (MeasureImageFile(path, ext, width, height)) {
    case LoadResult::Ok:
        break;
    case LoadResult::PngFailed:
        return TagResult::PngFailed;
    default:
        return TagResult::Failed;
    }
    line = ImageTagLine(kind, platform::GetFileName(path), width, height);
    return TagResult::Ok;
}

} // namespace images
