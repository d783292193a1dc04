#pragma once
// The CSS property and value popup in the main window's popup list, fed by
// the shipped list of properties and their values.
#include "CSSList.h"

#include <string>

// Reads the list once per run; a missing or empty file is reported in the
// info label and tried again at the next use.
void LoadCSSList();
// Fills and shows the popup: every property name for "{", else the values
// of the property named. typed: a typed "{" or ":", which opens nothing.
// Returns the popup's placement (0: nothing shown, or no caret position).
short ShowCSSPopup(const std::wstring& text, bool typed);
// The property whose values apply at the caret ("" when none).
std::wstring GetCSSContext(long caret);
// The partial text typed before the caret inside its rule; partialLength is
// how many characters a chosen item replaces, valuePosition 0 for a property
// name and 1 for a value.
std::wstring GetCSSRule(long caret, long& partialLength, long& valuePosition);
// What choosing this popup item with the caret at caret does.
CSSChoice ChooseCSSItem(const std::wstring& item, long caret);
