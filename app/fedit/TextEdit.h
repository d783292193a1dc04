#pragma once
// The result of an editing engine: one replacement of the text and the
// selection to set afterwards. The main window applies it to its editor
// (select start..end, replace it with `with`, then select selStart..selEnd);
// the engines never touch a window.
#include <string>

struct TextEdit {
    bool changed = false;  // false: leave the text (and selection) alone
    long start = 0;        // the old text's [start, end) ...
    long end = 0;
    std::wstring with;     // ... becomes this
    long selStart = 0;     // then this selection, in the new text
    long selEnd = 0;

    // The whole text after the edit.
    std::wstring Apply(const std::wstring& text) const;
    // The one replacement that turns oldText into newText: the smallest
    // stretch between their common start and common end.
    static TextEdit Between(const std::wstring& oldText, const std::wstring& newText);
};
