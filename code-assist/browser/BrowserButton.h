#pragma once
// The object browser's and page library's push buttons: a ButSilver2 whose
// picture is its caption on the silver face, at the size it is placed.
#include "ButSilver2/ButSilver2Control.h"

#include <string>

void PlaceCaptionButton(ButSilver2Control& button, forms::Container& on, int left, int top, int width, int height,
                        const std::wstring& caption, const std::wstring& toolTip = L"");
