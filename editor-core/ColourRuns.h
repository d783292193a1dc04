#pragma once
// The colour of every character as a colourer's RTF body gives it, and the
// smallest stretch of a document whose colours or text changed between two
// colourings. Lets a recolouring after a line edit rewrite only that stretch
// of the editor and still leave exactly what a whole rewrite would.
#include <string>
#include <vector>

namespace ColourRuns {

// Reads an RTF body made of text, "\cfN", "\par", "\tab", "\uN?", "\'hh" and
// the escapes "\\", "\{", "\}". Gives one colour index per character (a
// paragraph end counts one); false for anything else, so the caller can fall
// back to writing the body as it is.
bool ParseBody(const std::string& body, std::vector<unsigned char>& colours);
// The same for the body that starts at rtf[from] (after a colourer's frame),
// without copying it out first.
bool ParseBody(const std::string& rtf, size_t from, std::vector<unsigned char>& colours);

// The stretch [start, end) of the new text, at least covering every
// character whose text or colour differs from the old colouring (characters
// after a text change are compared at their shifted place). False when
// nothing differs.
bool ChangedStretch(const std::wstring& oldText, const std::vector<unsigned char>& oldColours,
                    const std::wstring& newText, const std::vector<unsigned char>& newColours,
                    long& start, long& end);

// RTF body for text[start, end) in the given colours, escaped as the
// colourers escape it.
std::string StretchBody(const std::wstring& text, const std::vector<unsigned char>& colours, long start,
                        long end);

} // namespace ColourRuns
