#pragma once
// What the caret of a style text is in, for the CSS popup: the property whose
// values to offer, and the partial name or value typed so far. Positions are
// character positions in the text given (the editor's, one per line break).
#include <string>

// The property name before the caret on its line: the word before the ":"
// of the declaration being written, or the last word when no ":" follows it
// yet; "" on an empty line.
std::wstring CSSContextOf(const std::wstring& text, long caret);

// The partial text typed since the last "{" or ";" of the rule (kind 0, a
// property name) or since the ":" (kind 1, a value). Outside a rule, the
// result is "" with kind 0. `length` is how many characters before the
// caret a chosen item replaces.
enum class CSSRuleKind : long { Property = 0, Value = 1 };
std::wstring CSSRuleOf(const std::wstring& text, long caret, long& length, CSSRuleKind& kind);
