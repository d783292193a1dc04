#include "ClipboardSnapshot.h"

#include <cstring>

namespace {

// The clipboard is open for the lifetime of the object. Another program may
// hold it for a moment, so opening is retried briefly.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner)
    {
        for (int attempt = 0; attempt < 20 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_)
                Sleep(10);
        }
    }
    ~OpenClipboardScope()
    {
        if (open_)
            CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

HGLOBAL CopyGlobal(HANDLE source)
{
    SIZE_T size = GlobalSize(source);
    const void* from = GlobalLock(source);
    if (!from)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (copy) {
        void* to = GlobalLock(copy);
        if (to) {
            std::memcpy(to, from, size);
            GlobalUnlock(copy);
        } else {
            GlobalFree(copy);
            copy = nullptr;
        }
    }
    GlobalUnlock(source);
    return copy;
}

HGLOBAL CopyMetafilePict(HANDLE source)
{
    auto* from = static_cast<const METAFILEPICT*>(GlobalLock(source));
    if (!from)
        return nullptr;
    METAFILEPICT pict = *from;
    GlobalUnlock(source);
    pict.hMF = CopyMetaFileW(pict.hMF, nullptr);
    if (!pict.hMF)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
    void* to = copy ? GlobalLock(copy) : nullptr;
    if (!to) {
        if (copy)
            GlobalFree(copy);
        DeleteMetaFile(pict.hMF);
        return nullptr;
    }
    std::memcpy(to, &pict, sizeof(pict));
    GlobalUnlock(copy);
    return copy;
}

HPALETTE CopyPalette(HANDLE source)
{
    auto pal = static_cast<HPALETTE>(source);
    UINT count = GetPaletteEntries(pal, 0, 0, nullptr);
    if (count == 0)
        return nullptr;
    std::vector<BYTE> buf(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = static_cast<WORD>(count);
    GetPaletteEntries(pal, 0, count, lp->palPalEntry);
    return CreatePalette(lp);
}

} // namespace

ClipboardSnapshot::~ClipboardSnapshot() { Clear(); }

void ClipboardSnapshot::Free(const Item& item)
{
    switch (item.kind) {
    case Kind::Global:
        GlobalFree(item.data);
        break;
    case Kind::Bitmap:
    case Kind::Palette:
        DeleteObject(item.data);
        break;
    case Kind::EnhMetafile:
        DeleteEnhMetaFile(static_cast<HENHMETAFILE>(item.data));
        break;
    case Kind::MetafilePict:
        if (auto* p = static_cast<METAFILEPICT*>(GlobalLock(item.data))) {
            DeleteMetaFile(p->hMF);
            GlobalUnlock(item.data);
        }
        GlobalFree(item.data);
        break;
    }
}

void ClipboardSnapshot::Clear()
{
    for (const auto& item : items_)
        Free(item);
    items_.clear();
}

bool ClipboardSnapshot::Take(HWND owner)
{
    Clear();
    OpenClipboardScope clip(owner);
    if (!clip.IsOpen())
        return false;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        // Owner-drawn content and private GDI objects have no data that
        // could be copied; the program that owns them draws them itself.
        if (format == CF_OWNERDISPLAY || (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST))
            continue;
        HANDLE data = GetClipboardData(format);
        if (!data)
            continue;
        Item item{format, Kind::Global, nullptr};
        switch (format) {
        case CF_BITMAP:
        case CF_DSPBITMAP:
            item.kind = Kind::Bitmap;
            item.data = CopyImage(data, IMAGE_BITMAP, 0, 0, 0);
            break;
        case CF_ENHMETAFILE:
        case CF_DSPENHMETAFILE:
            item.kind = Kind::EnhMetafile;
            item.data = CopyEnhMetaFileW(static_cast<HENHMETAFILE>(data), nullptr);
            break;
        case CF_METAFILEPICT:
        case CF_DSPMETAFILEPICT:
            item.kind = Kind::MetafilePict;
            item.data = CopyMetafilePict(data);
            break;
        case CF_PALETTE:
            item.kind = Kind::Palette;
            item.data = CopyPalette(data);
            break;
        default:
            item.data = CopyGlobal(data);
            break;
        }
        if (item.data)
            items_.push_back(item);
    }
    return true;
}

bool ClipboardSnapshot::Restore(HWND owner)
{
    OpenClipboardScope clip(owner);
    if (!clip.IsOpen())
        return false;
    EmptyClipboard();
    for (const auto& item : items_) {
        if (!SetClipboardData(item.format, item.data))
            Free(item);  // not taken: still ours to release
    }
    items_.clear();
    return true;
}

bool ClipboardSnapshot::PutText(HWND owner, const std::wstring& text)
{
    OpenClipboardScope clip(owner);
    if (!clip.IsOpen())
        return false;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!mem)
        return false;
    void* to = GlobalLock(mem);
    if (!to) {
        GlobalFree(mem);
        return false;
    }
    std::memcpy(to, text.c_str(), bytes);
    GlobalUnlock(mem);
    if (!SetClipboardData(CF_UNICODETEXT, mem)) {
        GlobalFree(mem);
        return false;
    }
    return true;
}
