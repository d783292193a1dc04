#pragma once
// The CSS property and value pop-up.
#include <string>

void LoadCSSList();
// Returns the pop-up shift (0: nothing shown).
short ShowCSSPopup(const std::wstring& text, bool typed);
// The CSS property whose values apply at the caret ("" when none).
std::wstring GetCSSContext(long caret);
// The CSS rule around the caret, line breaks removed.
std::wstring GetCSSRule(long caret, long& partialLength, long& valuePosition);
