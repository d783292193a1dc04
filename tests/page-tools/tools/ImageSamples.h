#pragma once
// Small image files of every kind the viewer reads, made for the tests: BMP,
// GIF and JPG through the system's image encoders, ICO and PNG by hand; and
// damaged copies of them.
#include "Bytes.h"
#include <windows.h>

#include <string>
#include <vector>

namespace samples {

// A width x height picture of one colour (0x00BBGGRR) with, for formats that
// keep it exactly (not JPG), the top left pixel in `corner`. ext: BMP, GIF,
// JPG, ICO or PNG. PNG pixels of alpha 0 where transparent is true.
std::vector<unsigned char> MakeImage(const std::wstring& ext, int width, int height, COLORREF colour,
                                     COLORREF corner, bool transparent = false);
// The file's signature and header kept, everything after it garbage.
std::vector<unsigned char> Damaged(const std::wstring& ext, const std::vector<unsigned char>& good);


} // namespace samples
