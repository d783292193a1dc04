#include "ImageRules.h"

#include "platform/Text.h"

#include <cwchar>

namespace images {

const wchar_t kPngFailed[] = L"Error. Failed to load file.";
const wchar_t kViewerCaption[] = L"View Image";
const wchar_t kCroppedCaption[] = L"View Image - Note: Image has been cropped to fit screen.";

namespace {

bool IsOneOf(const std::wstring& ext, std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* name : names)
        if (platform::SameText(ext, name))
            return true;
    return false;
}

} // namespace

bool IsViewerType(const std::wstring& ext) { return IsOneOf(ext, {L"BMP", L"ICO", L"GIF", L"JPG", L"PNG"}); }

bool IsTagType(const std::wstring& ext) { return IsOneOf(ext, {L"GIF", L"JPG", L"PNG"}); }

bool OffersTagButton(const std::wstring& ext) { return !IsOneOf(ext, {L"BMP", L"ICO"}); }

std::wstring ImageTagLine(int kind, const std::wstring& name, long width, long height)
{
    std::wstring img = L"<IMG SRC=\"" + name + L"\" WIDTH=" + std::to_wstring(width) + L" HEIGHT=" +
                       std::to_wstring(height) + L" ALIGN= HSPACE= VSPACE=";
    if (kind == 1)
        return img + L">";
    return L"<A HREF=>" + img + L" ALT=></A>";
}

std::wstring PointColorText(COLORREF colour)
{
    wchar_t text[8];
    std::swprintf(text, 8, L"#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

std::wstring SizeInfoText(const std::wstring& name, unsigned long long bytes)
{
    return name + L" - " + std::to_wstring(bytes / 1024) + L" KB";
}

ViewerFit FitViewer(long pictureWidthPx, long pictureHeightPx, long frameWidth, long frameHeight,
                    const ScreenMeasure& screen)
{
    ViewerFit fit;
    fit.width = pictureWidthPx * screen.twipsPerPixelX + frameWidth;
    fit.height = pictureHeightPx * screen.twipsPerPixelY + frameHeight;
    if (fit.width > screen.width * 9 / 10) {
        fit.width = screen.width * 9 / 10;
        fit.cropped = true;
    }
    if (fit.height > screen.height * 8 / 10) {
        fit.height = screen.height * 8 / 10;
        fit.cropped = true;
    }
    return fit;
}

std::wstring CroppedCaption(long pictureWidthPx, long pictureHeightPx)
{
    return std::wstring(kCroppedCaption) + L" Full size " + std::to_wstring(pictureWidthPx) + L" x " +
           std::to_wstring(pictureHeightPx) + L": open the file in another program to see it whole.";
}

} // namespace images
