#include "modbitmap.h"

#include "ImageFile.h"
#include "ImageRules.h"
#include "MainHost.h"
#include "ModFileOps.h"
#include "cBrowse/cBrowse.h"
#include "fbitmap.h"
#include "forms/Runtime.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/Text.h"

#include <algorithm>

namespace {

struct ShownImage {
    std::wstring name, width, height;
};

ShownImage& Shown()
{
    static ShownImage shown;
    return shown;
}

HWND MainWindow() { return Host() ? Host()->Window() : nullptr; }

// Outer minus inner size of the viewer, in twips.
SIZE ViewerFrame(HWND viewer)
{
    RECT outer{}, inner{};
    GetWindowRect(viewer, &outer);
    GetClientRect(viewer, &inner);
    return SIZE{forms::PixelsToTwipsX((outer.right - outer.left) - inner.right),
                forms::PixelsToTwipsY((outer.bottom - outer.top) - inner.bottom)};
}

// The window width, in twips, that shows caption whole in the title bar:
// the text in the caption font, the icon and the three buttons.
long CaptionWidth(const std::wstring& caption)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return 0;
    HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE text{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    const int chrome = GetSystemMetrics(SM_CXSMICON) + 3 * GetSystemMetrics(SM_CXSIZE) +
                       4 * GetSystemMetrics(SM_CXSIZEFRAME) + 24;
    return forms::PixelsToTwipsX(text.cx + chrome);
}

void SizeViewer(fbitmap& viewer, long width, long height)
{
    images::ScreenMeasure screen;
    screen.twipsPerPixelX = forms::TwipsPerPixelX();
    screen.twipsPerPixelY = forms::TwipsPerPixelY();
    screen.width = forms::PixelsToTwipsX(GetSystemMetrics(SM_CXSCREEN));
    screen.height = forms::PixelsToTwipsY(GetSystemMetrics(SM_CYSCREEN));
    SIZE frame = ViewerFrame(viewer.hwnd);
    images::ViewerFit fit = images::FitViewer(width, height, frame.cx, frame.cy, screen);
    if (fit.cropped) {
        const std::wstring caption = images::CroppedCaption(width, height);
        viewer.SetCaption(caption);
        // A tall, narrow picture would cut its own caption: the window is
        // made wide enough to read it, within the screen.
        fit.width = std::min(std::max(fit.width, CaptionWidth(caption)), screen.width * 9 / 10);
    } else {
        viewer.SetCaption(images::kViewerCaption);
    }
    // Centred on the screen, so that a large picture is seen whole.
    viewer.Move((screen.width - fit.width) / 2, (screen.height - fit.height) / 2, fit.width, fit.height);
}

} // namespace

void ShowImage(const std::wstring& path)
{
    fbitmap& viewer = ImageViewer();
    viewer.Load();
    const std::wstring name = platform::GetFileName(path);
    const std::wstring ext = platform::GetExtension(path);
    images::LoadedImage image;
    switch (images::LoadImageFile(path, ext, images::UserButtonFace(), image)) {
    case images::LoadResult::Ok:
        break;
    case images::LoadResult::PngFailed:
        platform::ShowMessage(images::kPngFailed, platform::MessageStyle::Information, MainWindow());
        return;
    default:
        platform::ShowMessage(forms::LoadResString(images::IDS_IMAGE_LOAD_FAILED),
                              platform::MessageStyle::Information, MainWindow());
        return;
    }
    Shown() = ShownImage{name, std::to_wstring(image.width), std::to_wstring(image.height)};
    viewer.piclarge.Move(0, 0, image.width * forms::TwipsPerPixelX(), image.height * forms::TwipsPerPixelY());
    viewer.piclarge.SetPicture(static_cast<HBITMAP>(image.bitmap.Release()), true);
    MainHost* host = Host();
    if (host)
        host->ShowImageFacts(Shown().width + L" x " + Shown().height, path, images::OffersTagButton(ext));
    SizeViewer(viewer, image.width, image.height);
    viewer.Show(forms::vbModeless);
    if (host) {
        host->ShowImageTools(true);
        host->ShowInfo(images::SizeInfoText(name, static_cast<unsigned long long>(std::max(0L, ModFileOps::GetFileSize(path)))));
    }
}

void GetPointColor()
{
    fbitmap& viewer = ImageViewer();
    POINT at{};
    // The point is read in the picture box's own coordinates, where the user
    // clicked, not in the viewer's.
    if (!GetCursorPos(&at) || !viewer.piclarge.hwnd || !ScreenToClient(viewer.piclarge.hwnd, &at))
        return;
    HBITMAP picture = viewer.piclarge.Picture();
    if (!picture)
        return;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    COLORREF colour = GetPixel(dc, at.x, at.y);
    SelectObject(dc, old);
    DeleteDC(dc);
    if (colour == CLR_INVALID)
        return;
    if (Host())
        Host()->ShowSampledColor(colour, images::PointColorText(colour));
}

void InsertImageCode(int mode)
{
    cBrowse dialogs;
    std::wstring path = dialogs.DOpen(MainWindow(), L"Open image file", L"Web Image Files(*.gif;*.jpg;*.png)",
                                      L"*.gif;*.jpg;*.png", false);
    if (path.empty())
        return;
    std::wstring line;
    switch (images::ImageTagFor(mode, path, line)) {
    case images::TagResult::Ok:
        // "Clipboard" only when the tag is there: another program may hold
        // the clipboard.
        if (forms::ClipboardSetText(line) && Host())
            Host()->ShowInfo(L"Clipboard");
        return;
    case images::TagResult::WrongType:
        platform::ShowMessage(forms::LoadResString(images::IDS_IMAGE_TAG_TYPES),
                              platform::MessageStyle::Information, MainWindow());
        return;
    case images::TagResult::PngFailed:
        platform::ShowMessage(images::kPngFailed, platform::MessageStyle::Information, MainWindow());
        return;
    case images::TagResult::Failed:
        return;
    }
}

std::wstring ImageFileName() { return Shown().name; }
std::wstring ImageWidth() { return Shown().width; }
std::wstring ImageHeight() { return Shown().height; }
