#pragma once
// Selectors: type, universal, class, id, attribute presence and value,
// :link, the structural pseudo-classes (:first-child, :nth-child(an+b) and
// the rest), :root, :empty, :not() and :is(), joined by descendant, child
// and sibling combinators, with a trailing ::before or ::after; their
// specificity, and matching against the tree.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "html/parse/Node.h"

namespace html {

struct Selector;

struct SimpleSelector {
    enum Kind : unsigned char {
        Type, Id, Class, AttrExists, AttrEquals, AttrIncludes, AttrDash, AttrPrefix, AttrSuffix, AttrContains,
        Link, Root, Empty, NthChild, NthLastChild, NthOfType, NthLastOfType, Not, Is, Never
    } kind = Type;
    std::wstring name;   // lower case for types and attribute names
    std::wstring value;
    int a = 0, b = 0;    // the nth- kinds: positions a*n + b for n >= 0
    std::shared_ptr<const std::vector<Selector>> inner; // Not and Is
};

struct Compound {
    std::vector<SimpleSelector> parts;
    wchar_t combinator = 0; // how it stands to the compound on its left: ' ', '>', '+', '~'
};

enum class PseudoElement : unsigned char { None, Before, After };

struct Selector {
    std::vector<Compound> compounds; // left to right
    int specificity = 0;             // ids * 10000 + classes * 100 + types
    PseudoElement pseudo = PseudoElement::None; // the element's ::before or ::after box, not the element
    bool valid = false;
};

Selector ParseSelector(const std::wstring& text);
// selectorText as the document reports it: element names upper case.
std::wstring SelectorDisplayText(const std::wstring& text);

// Element positions among their siblings, counted once per parent for the
// structural pseudo-classes.
class SiblingPositions {
public:
    struct Position {
        int index = 0, fromEnd = 0, ofType = 0, ofTypeFromEnd = 0; // 1-based
    };
    const Position& Of(const Node& element);

private:
    std::unordered_map<const Node*, Position> positions;
};

// What matching reads of an element besides the tree. Case-blind in quirks
// mode, as browsers match there.
struct MatchContext {
    bool quirks = false;
    SiblingPositions* siblings = nullptr; // null: counted on each match
};
bool Matches(const Selector& sel, const Node& element, const MatchContext& ctx);
// The class names of an element's class attribute.
std::vector<std::wstring> ClassNames(const Node& element);

} // namespace html
