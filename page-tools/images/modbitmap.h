#pragma once
// The image viewer's procedures: showing a picture, reading the colour of a
// clicked point, and putting an image tag for a chosen file on the clipboard.
#include <string>

// Loads a BMP, ICO, GIF, JPG or PNG file into the viewer, sizes the viewer
// to it within the screen and shows it with the main window's image tools.
// A file that cannot be loaded gives its message and leaves the viewer as it
// was. Callers test whether the viewer is visible afterwards.
void ShowImage(const std::wstring& path);
// The colour under the cursor in the viewer's picture, to the image tools.
void GetPointColor();
// Asks for a GIF, JPG or PNG file and puts an IMG tag (mode 1) or an IMG tag
// inside a link (any other mode) with its width and height on the clipboard.
void InsertImageCode(int mode);
// The facts of the image last shown.
std::wstring ImageFileName();
std::wstring ImageWidth();
std::wstring ImageHeight();
