#pragma once
// The Edit menu's text work on plain strings: case change of a selection and
// double quotes put around a word or taken away. Positions are character
// indices into the given text; results never reach outside it.
#include "TextEdit.h"

#include <string>

namespace EditText {

// 0 upper case, 1 lower case, 2 proper case (each word, after a blank or a
// line break, starts with a capital, the rest lower case); another index
// gives the text unchanged. Folding follows the user's locale and keeps one
// character for one.
std::wstring ChangeCase(const std::wstring& text, int index);

// Mode 1 puts a double quote before and after the word at the selection
// s..e (equal for a caret); the word's ends are the nearest delimiters
// (blank, tab, line break, ! " + , . : ; < = > ?) within 30 characters. A side
// without a delimiter in reach gets no quote. The caret follows the text.
// Mode 0 removes the nearest double quote before the selection (or at its
// start) and the nearest after it (or at its end), both within 30
// characters, and any between them; nothing when either is missing. The
// caret stays at s. Other modes change nothing.
TextEdit QuoteWords(const std::wstring& text, long s, long e, int mode);

} // namespace EditText
