#pragma once
// The captioned image buttons of the page tools' windows.
#include <string>

#include "ButSilver2/ButSilver2Control.h"
#include "forms/Controls.h"

// Places b on `on` (twips) with the caption drawn as its picture.
void PlaceToolButton(ButSilver2Control& b, forms::Container& on, int left, int top, int width, int height,
                     const std::wstring& caption);
