#pragma once
// Style sheet text into rules: selectors and declarations, with @import and
// the conditions of @media blocks kept, other at-rules skipped, and broken parts dropped the way
// browsers drop them (a bad declaration up to its ';', a bad rule up to its
// closing brace).
#include <string>
#include <vector>

#include "MediaQuery.h"
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
    bool hasVar = false;     // the value refers to custom properties: var()
    std::vector<CssValue> values;
};

struct StyleRule {
    std::wstring selectorText;  // one selector of the group, as written
    Selector selector;
    std::vector<Declaration> declarations;
    int media = -1;             // the innermost @media block around it (StyleSheet::media), -1 for none
};

// An @media block; a nested one holds only where its parent holds too.
struct MediaBlock {
    MediaQueryList queries;
    int parent = -1;
};

struct CssImport {
    std::wstring target;
    MediaQueryList media;
};

struct StyleSheet {
    std::wstring href;                 // the file it came from; empty for a <style> block
    std::vector<StyleRule> rules;
    std::vector<CssImport> imports;    // in order
    std::vector<MediaBlock> media;
    std::vector<MediaQueryList> sheetMedia; // of the <link>, <style> and @imports that brought it; all must hold
    bool dependsOnSize = false;        // some condition reads the view's size
};

// Whether a rule of the sheet holds for the view.
bool RuleApplies(const StyleSheet& sheet, const StyleRule& rule, const MediaEnv& env);

struct CssLimits {
    size_t maxRules = 20000;
    size_t maxDeclarations = 200;
};

StyleSheet ParseStyleSheet(const std::wstring& text, const CssLimits& limits = CssLimits());
// The declarations of a style attribute.
// The bracket closing the '(', '[' or '{' at text[open], past nested ones
// and quoted strings; npos when none does.
size_t ClosingBracket(const std::wstring& text, size_t open);

std::vector<Declaration> ParseDeclarations(const std::wstring& text);
std::vector<CssValue> ParseValues(const std::wstring& text);
// Declarations as the rules' cssText reports them: "COLOR: red; FONT-WEIGHT: bold".
std::wstring CssText(const std::vector<Declaration>& declarations);

} // namespace html
