#pragma once
// The CSS popup's knowledge: property names, each with the values offered
// for it, from section "css" of tarnelc.ini. A value holding "(" is a hint
// that is shown but never inserted; a value ending in " ->" (or any three
// characters after a name, with a ">" among them) stands for the values of
// the property it names.
#include "CSSRules.h"
#include "ClsDic.h"

#include <string>
#include <vector>

// 0 loaded, -1 the file is missing, -2 its section holds no usable entry.
// A name or value left empty is not stored; a repeated name keeps its first.
long ReadCSSList(const std::wstring& iniPath, ClsDic& list);

// Colour code of a value in the popup: 2 a reference to another property,
// 1 a hint, 0 a value to insert.
int CSSValueCode(const std::wstring& value);

// The property a reference value names (the value without its last three
// characters); "" when the value is no reference or names nothing.
std::wstring CSSReferenceTarget(const std::wstring& value);

// The popup's rows for key "{" (every property name) or a property name
// (its values): text and colour code. False when the property is unknown.
struct CSSItem {
    std::wstring text;
    int code = 0;
};
bool CSSPopupItems(const ClsDic& list, const std::wstring& key, std::vector<CSSItem>& items);

// What choosing an item of the popup does: a hint inserts nothing; a
// reference shows the values of the property it names (when the list holds
// it); any other item replaces the partial text before the caret, followed
// by ": " after a property name (whose values then show) or "; " after a
// value.
struct CSSChoice {
    enum class Action { None, ShowValues, Replace } action = Action::None;
    long start = 0;              // Replace: first character replaced (up to the caret)
    std::wstring text;           // Replace: the inserted text
    std::wstring showValuesOf;   // the property whose values show next, or ""
};
CSSChoice ChooseCSSItem(const ClsDic& list, const std::wstring& item, long caret, long partialLength,
                        CSSRuleKind kind);
