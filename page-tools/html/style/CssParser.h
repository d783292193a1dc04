#pragma once
// Style sheet text into rules: selectors and declarations, with @import and
// @media kept, other at-rules skipped, and broken parts dropped the way
// browsers drop them (a bad declaration up to its ';', a bad rule up to its
// closing brace).
#include <string>
#include <vector>

#include "Selector.h"

namespace html {

// One part of a property value.
struct CssValue {
    enum Type : unsigned char { Ident, Number, Dimension, Percent, Hash, String, Url, Function, Comma, Slash };
    Type type = Ident;
    std::wstring text;  // ident (lower case), hash digits, string, url, function name (lower case) with its arguments
    float num = 0;
    std::wstring unit;  // lower case
    std::wstring raw;   // an ident as written (font names keep their case)
};

struct Declaration {
    std::wstring property;   // lower case
    std::wstring valueText;  // as written, blanks collapsed
    bool important = false;
    std::vector<CssValue> values;
};

struct StyleRule {
    std::wstring selectorText;  // one selector of the group, as written
    Selector selector;
    std::vector<Declaration> declarations;
};

struct StyleSheet {
    std::wstring href;                 // the file it came from; empty for a <style> block
    std::vector<StyleRule> rules;
    std::vector<std::wstring> imports; // @import targets, in order
};

struct CssLimits {
    size_t maxRules = 20000;
    size_t maxDeclarations = 200;
};

StyleSheet ParseStyleSheet(const std::wstring& text, const CssLimits& limits = CssLimits());
// The declarations of a style attribute.
std::vector<Declaration> ParseDeclarations(const std::wstring& text);
std::vector<CssValue> ParseValues(const std::wstring& text);
// Declarations as the rules' cssText reports them: "COLOR: red; FONT-WEIGHT: bold".
std::wstring CssText(const std::vector<Declaration>& declarations);

} // namespace html
