#pragma once
// The image viewer's and the image tag's rules that need no window: which
// files they take, the tag text, the colour text of a point, the info text
// and the viewer's size on the screen.
#include <windows.h>

#include <string>

namespace images {

// String table ids of the viewer's messages.
constexpr UINT IDS_IMAGE_LOAD_FAILED = 150;  // "Error loading image file. If this is a GIF file ..."
constexpr UINT IDS_IMAGE_TAG_TYPES = 151;    // "As this function auto-inserts code for webpage images, ..."
constexpr UINT IDS_IMAGE_CLICK_HINT = 160;   // "Click in image to get hex code for color of that point."
// The PNG reader's refusal, a fixed text rather than a string of the table.
extern const wchar_t kPngFailed[];           // "Error. Failed to load file."
extern const wchar_t kViewerCaption[];       // "View Image"
extern const wchar_t kCroppedCaption[];      // "View Image - Note: Image has been cropped to fit screen."

// Extensions are compared without regard to case, without the ".".
// The files the viewer shows: BMP, ICO, GIF, JPG and PNG.
bool IsViewerType(const std::wstring& ext);
// The files the image tag measures: GIF, JPG and PNG.
bool IsTagType(const std::wstring& ext);
// The main window's tag button is offered for web images only, not BMP or ICO.
bool OffersTagButton(const std::wstring& ext);

// The clipboard line for an image: kind 1 the plain IMG tag, any other kind
// the IMG tag inside a link. name is the file name alone, never the folder.
std::wstring ImageTagLine(int kind, const std::wstring& name, long width, long height);

// A point's colour (0x00BBGGRR) as "#" and red, green, blue in hexadecimal.
std::wstring PointColorText(COLORREF colour);

// The info text: the file name, " - ", the size in whole KB (rounded down), " KB".
std::wstring SizeInfoText(const std::wstring& name, unsigned long long bytes);

// The viewer's window size for a picture, in twips: the picture's pixels in
// twips plus the window's frame, cut to nine tenths of the screen's width and
// eight tenths of its height; cropped tells whether either was cut.
struct ViewerFit {
    long width = 0;
    long height = 0;
    bool cropped = false;
};
struct ScreenMeasure {
    long twipsPerPixelX = 15;
    long twipsPerPixelY = 15;
    long width = 0;   // twips
    long height = 0;  // twips
};
ViewerFit FitViewer(long pictureWidthPx, long pictureHeightPx, long frameWidth, long frameHeight,
                    const ScreenMeasure& screen);
// The caption of a cut picture: the note, the picture's full size, and where
// to see it whole, as the viewer does not scroll.
std::wstring CroppedCaption(long pictureWidthPx, long pictureHeightPx);

} // namespace images
