#pragma once
// The HTML format check's engine: angle brackets without their partner,
// blanks and quotation marks inside a tag, and missing closing tags of 20
// container tags. Text heuristics over text in the editor's form (paragraph
// ends as CR), not a parser; nothing here needs a window.
#include "EditorType.h"
#include "Findings.h"

#include <string>
#include <vector>

namespace html {

// The container-tag probes in check order, and their closing tags. The
// first kCountedProbes are settled by counting over the whole text when the
// closing tag is not found before the next opening.
extern const wchar_t* const kOpeningProbes[20];
extern const wchar_t* const kClosingTags[20];
constexpr int kCountedProbes = 6;

// Checks the text between one "<" and its ">" (both excluded); an empty
// result when the tag is in order. A trailing " /" is allowed.
std::wstring CheckTagFormat(const std::wstring& tag);

// The whole check of a page of editor type edType (ASP or HTML): the
// bracket check, the tag walk and the closing-tag search, in that order.
std::vector<debugcheck::Finding> RunHTMLCheck(const std::wstring& text, EditorType edType);

} // namespace html
