#pragma once
// A text as text-transform shows it: in capitals, in small letters, or with
// each word's first letter a capital.
#include <string>

#include "ComputedStyle.h"

namespace html {

// afterLetter: the text before it in the same line ends in a letter, so a
// capitalised word does not start at its first character.
std::wstring TransformText(const std::wstring& text, TextTransform how, bool afterLetter = false);

} // namespace html
