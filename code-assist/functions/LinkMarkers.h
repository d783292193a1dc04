#pragma once
// The marker lines through which a document names the include files linked
// to it: "**TARNEL LINK FILE: " & path & " *", wrapped in the comment form of
// the document's type, so that the link travels with the file and the page
// still works.
#include "EditorType.h"

#include <string>
#include <vector>

// The marker text itself, without comment delimiters or line break.
std::wstring LinkMarker(const std::wstring& path);

// The whole marker line for a document of this type, line break included.
std::wstring LinkMarkerLine(EditorType type, const std::wstring& path);

// Where a new marker line goes and what is inserted there: the start of the
// text, or after leading lines that must stay first (an XML declaration, an
// ASP directive, a document type), with a line break first when such a line
// ends the text.
struct LinkInsertion {
    long position = 0;
    std::wstring text;
};
LinkInsertion LinkMarkerInsertion(EditorType type, const std::wstring& docText, const std::wstring& path);

// The paths that the markers of a text name, in text order.
std::vector<std::wstring> LinkMarkerPaths(const std::wstring& docText);

// The first line whose whole text (blanks aside) is a marker of exactly this
// path, in any of the comment forms: start of the line and end after its line
// break (or the end of the text). False when no line matches.
bool FindLinkMarkerLine(const std::wstring& docText, const std::wstring& path, long& start, long& end);
