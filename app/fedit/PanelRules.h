#pragma once
// Rules of the main window's panels and tool bars that need no window: the
// tag name the tag information looks up, the spelling a typed word takes,
// the clip buttons' tool tips and where the custom menus open.
#include <string>

namespace PanelRules {

// The tag name in a selection, with its leading "<": from the first "<" up
// to the first blank or ">" after it, whichever comes first; "" when there
// is no "<" or nothing ends the name.
std::wstring TagName(const std::wstring& selection);

// The text that replaces a typed word: the first word.size() characters of
// the stored text when they are the same word in another case; "" when the
// stored text does not begin with the word (nothing is replaced then).
std::wstring StoredSpelling(const std::wstring& word, const std::wstring& stored);

// A clip's tool tip: the clip text, or its first 30 characters when longer.
std::wstring ClipTip(const std::wstring& clip);

// Position of a window of size w x h beside the caret (all twips, screen):
// right of and below the caret by 100, or flipped left of / above it by
// 100 when it would pass the editor's right or bottom edge.
struct Point {
    long x = 0, y = 0;
};
Point MenuBesideCaret(long caretX, long caretY, long w, long h, long editorRight, long editorBottom);
// p moved as little as needed for a window of size w x h at p to lie on a
// screen of screenW x screenH (all twips): a wide menu flipped left of a
// caret near the left edge would stand off the screen.
Point OnScreen(Point p, long w, long h, long screenW, long screenH);

} // namespace PanelRules
