#pragma once
// The pictures a page shows, each read once from the local file the page
// names, through the image viewer's loading (PNG by the program's own
// decoder, the rest by the platform). A missing or damaged file is
// remembered as such and painted as a broken picture.
#include <windows.h>

#include <map>
#include <string>

namespace html {

struct Picture {
    HBITMAP bitmap = nullptr;  // 32-bit top-down DIB section
    int width = 0, height = 0;
    bool ok = false;
};

class ImageStore {
public:
    ImageStore();
    ~ImageStore();
    ImageStore(const ImageStore&) = delete;
    ImageStore& operator=(const ImageStore&) = delete;

    void SetPagePath(const std::wstring& pagePath) { page = pagePath; }
    // The picture an address in the page names, loaded on first use.
    const Picture& Get(const std::wstring& src);
    bool Size(const std::wstring& src, int& width, int& height);

    static constexpr size_t MaxFileBytes = 64u << 20;
    static constexpr long long MaxPixels = 1LL << 25;

private:
    Picture Load(const std::wstring& path);

    std::wstring page;
    std::map<std::wstring, Picture> cache;
};

// A 32-bit top-down DIB section of the given size; bits receives its pixels.
HBITMAP CreateSurface(int width, int height, void** bits);

} // namespace html
