#pragma once
// The image viewer.
#include <string>

// Loads and shows a picture; reports its own failure.
void ShowImage(const std::wstring& path);
// Puts an IMG tag (mode 1) or an IMG tag inside a link (mode 2) for a chosen
// image on the clipboard.
void InsertImageCode(int mode);
// The facts of the image last shown.
std::wstring ImageFileName();
std::wstring ImageWidth();
std::wstring ImageHeight();
