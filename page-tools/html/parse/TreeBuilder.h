#pragma once
// Builds the document tree from page text the way browsers mend broken
// markup: html, head and body are implied, paragraphs, list items, options
// and table parts close themselves, misnested inline tags are reopened, and
// stray table content is moved before its table.
#include <string>

#include "Node.h"

namespace html {

struct ParseLimits {
    size_t maxDepth = 400;       // deeper elements become siblings at this depth
    size_t maxNodes = 600000;    // past this the rest of the page is left out
};

ParsedPage ParsePage(const std::wstring& text, const ParseLimits& limits = ParseLimits());

// The quirks mode a document type declaration's text (after "<!DOCTYPE") asks for.
QuirksMode QuirksFromDoctype(const std::wstring& doctype);

// The text of every text node below n, in order.
std::wstring TextContent(const Node& n);

} // namespace html
