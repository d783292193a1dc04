#pragma once
// Reads the image files the viewer shows into a bitmap of the screen's kind:
// PNG through the program's own reader, flattened onto the user's button
// face; BMP, ICO, GIF and JPG through the system's picture loading. A damaged
// file of any kind gives a failure, never a fault of the program.
#include <windows.h>

#include <string>

#include "platform/Handles.h"

namespace images {

enum class LoadResult {
    Ok,
    PngFailed,   // the PNG reader refused the file: "Error. Failed to load file."
    LoadFailed,  // the picture could not be loaded: string 150
};

struct LoadedImage {
    platform::GdiObject bitmap;  // a 32-bit top-down DIB section
    long width = 0;
    long height = 0;
};

// The user's "ButtonFace" colour of "Control Panel\Colors" as the PNG reader
// reads it: 0xDDDDDD when it is missing or not three parts, black when a part
// is not a number.
COLORREF UserButtonFace();

// Loads path (ext upper or lower case, without "."); transparent parts are
// laid on backColour.
LoadResult LoadImageFile(const std::wstring& path, const std::wstring& ext, COLORREF backColour,
                         LoadedImage& image);

// The picture's size in pixels; a PNG file only has its header read.
LoadResult MeasureImageFile(const std::wstring& path, const std::wstring& ext, long& width, long& height);

// The clipboard line for an image file chosen for a tag (kind as
// ImageTagLine). WrongType: not a GIF, JPG or PNG file (string 151);
// PngFailed: the PNG reader refused it; Failed: another file that could not
// be measured, which ends the command without a message.
enum class TagResult { Ok, WrongType, PngFailed, Failed };
TagResult ImageTagFor(int kind, const std::wstring& path, std::wstring& line);

} // namespace images
