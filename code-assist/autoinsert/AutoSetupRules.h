#pragma once
// The rules of the auto-insert settings window as plain functions: the
// CLSID test, the variable names of an object, the texts of the member
// listings, the name checks of the object list and the sections added to it.
// The window gathers its controls' texts, calls these and shows the result.
#include <string>
#include <vector>

namespace AutoSetupRules {

// The window's numbered messages (102, 105-111, 167); "" for another number.
std::wstring Message(int id);

// Completes a typed CLSID with its braces and tests its form: 0 with the
// completed text in clsid, or 102 when it is not 38 characters with "-" at
// positions 10, 15, 20 and 25 (from 1).
int CheckClsid(std::wstring& clsid);

// The two text boxes of a lookup, trimmed: 105 when both are empty, 102 for
// a CLSID of the wrong form (CheckClsid), else 0 with clsid completed.
int CheckLookupInput(std::wstring& clsid, std::wstring& progId);

// The object list names compare as the file's section names do: without
// regard to case. True when items holds name at another index than except.
bool ListHoldsName(const std::vector<std::wstring>& items, const std::wstring& name, int except = -1);

// "var*1" to "var*10" of section joined by ",", stopping at the first that
// is missing or empty.
std::wstring ReadVariables(const std::wstring& path, const std::wstring& section);
// Writes the comma-separated names of text as "var*1" on and clears the
// stale keys after them (see the .cpp for the exact bounds); false when a
// write to the file failed.
bool AssignVariables(const std::wstring& path, const std::wstring& section, std::wstring text);

// The listing of an object from its section: the member texts (keys without
// "*"), each followed by CR LF CR LF, with every "- " removed.
std::wstring SectionListing(const std::vector<std::wstring>& keys, const std::vector<std::wstring>& values);
// The listing of a found class from its NUL-separated section text.
std::wstring FoundListing(const std::wstring& sectionText);
// A found class's section text as the lines to write: one entry a line,
// line breaks inside an entry turned into blanks.
std::vector<std::wstring> SectionLines(const std::wstring& sectionText);

// The kind word of a listing line: start and length of the earliest of
// " Property", " Method" and " Event" (that order on a tie) within 300
// characters of the line's start; false when there is none.
bool ListingKindWord(const std::wstring& line, size_t& start, size_t& length);

} // namespace AutoSetupRules
