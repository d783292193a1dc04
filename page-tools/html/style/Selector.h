#pragma once
// Selectors: type, universal, class, id, attribute presence and value,
// :link and :first-child, joined by descendant, child and sibling
// combinators; their specificity, and matching against the tree.
#include <string>
#include <vector>

#include "html/parse/Node.h"

namespace html {

struct SimpleSelector {
    enum Kind : unsigned char {
        Type, Id, Class, AttrExists, AttrEquals, AttrIncludes, AttrDash, AttrPrefix, AttrSuffix, AttrContains,
        Link, FirstChild, Never
    } kind = Type;
    std::wstring name;   // lower case for types and attribute names
    std::wstring value;
};

struct Compound {
    std::vector<SimpleSelector> parts;
    wchar_t combinator = 0; // how it stands to the compound on its left: ' ', '>', '+', '~'
};

struct Selector {
    std::vector<Compound> compounds; // left to right
    int specificity = 0;             // ids * 10000 + classes * 100 + types
    bool valid = false;
};

Selector ParseSelector(const std::wstring& text);
// selectorText as the document reports it: element names upper case.
std::wstring SelectorDisplayText(const std::wstring& text);

// What matching reads of an element besides the tree: its id and classes,
// split once. Case-blind in quirks mode, as browsers match there.
struct MatchContext {
    bool quirks = false;
};
bool Matches(const Selector& sel, const Node& element, const MatchContext& ctx);
// The class names of an element's class attribute.
std::vector<std::wstring> ClassNames(const Node& element);

} // namespace html
