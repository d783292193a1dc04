#pragma once
// The element information the preview's tooltip shows for the element under
// the mouse, and the ID and class style rules it is built from.
#include <string>
#include <vector>

#include "html/document/HtmlDocument.h"

// The ID and class names of the page's style rules (upper case) with the
// style text of each rule, in sheet and rule order.
struct StyleRuleLists {
    std::vector<std::wstring> idNames, idStyles, classNames, classStyles;
};

StyleRuleLists LoadStyleRules(const html::HtmlDocument& doc);

// "IMG\r\nfile:///C:/web/a.gif\r\nW: 10 H: 20\r\nID: logo\r\n\r\nID Style: ..." for one element.
std::wstring ElementInformation(const StyleRuleLists& rules, const html::HtmlElement& element);
