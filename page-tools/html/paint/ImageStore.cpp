#include "ImageStore.h"

#include "html/parse/PageUrl.h"
#include "images/ImageFile.h"
#include "platform/Paths.h"
#include "platform/Text.h"

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

ImageStore::ImageStore() = default;

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

Picture ImageStore::Load(const std::wstring& path)
{
    long long size = 0;
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (GetFileAttributesExW(platform::ApiPath(path).c_str(), GetFileExInfoStandard, &info))
        size = (static_cast<long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size <= 0 || size > static_cast<long long>(MaxFileBytes))
        return Picture();
    // The platform's loader tells formats apart by their content; PNG goes by its name.
    std::wstring ext = platform::Upper(platform::GetExtension(path));
    if (ext != L"PNG" && ext != L"GIF" && ext != L"BMP" && ext != L"ICO")
        ext = L"JPG";
    images::LoadedImage loaded;
    if (images::LoadImageFile(path, ext, RGB(255, 255, 255), loaded) != images::LoadResult::Ok ||
        loaded.width <= 0 || loaded.height <= 0)
        return Picture();
    Picture pic;
    pic.bitmap = static_cast<HBITMAP>(loaded.bitmap.Release());
    pic.width = static_cast<int>(loaded.width);
    pic.height = static_cast<int>(loaded.height);
    pic.ok = pic.bitmap != nullptr;
    return pic;
}

} // namespace html
