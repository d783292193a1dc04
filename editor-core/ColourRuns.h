#pragma once
// The text and the look of every character as a colourer's RTF body gives
// them, and the smallest stretch of a document whose text or look changed
// between two colourings. Lets a recolouring after a line edit rewrite only
// that stretch of the editor and still leave exactly what a whole rewrite
// would.
#include <string>
#include <vector>

namespace ColourRuns {

// The look of a character: its colour index (\cfN, below 128) and, in the
// top bit, bold (the slash of a self-closing tag).
const unsigned char kBold = 0x80;

// Reads an RTF body made of text, "\cfN", "\b", "\b0", "\par", "\tab",
// "\uN?", "\'hh" and the escapes "\\", "\{", "\}". Gives the text (a
// paragraph end as CR) and one look per character; false for anything else,
// so the caller can fall back to writing the body as it is. The colourers
// write keywords in the spelling of their lists, so the text may differ in
// case from the text they were given.
bool ParseBody(const std::string& body, std::wstring& text, std::vector<unsigned char>& colours);
// The same for the body that starts at rtf[from] (after a colourer's frame),
// without copying it out first.
bool ParseBody(const std::string& rtf, size_t from, std::wstring& text, std::vector<unsigned char>& colours);

// The colour table of a colourer's frame ("\redR\greenG\blueB;" entries),
// as COLORREF values in table order.
std::vector<unsigned long> FrameColours(const std::string& frame);

// [start, end) spanning every character where two texts of one length
// differ (a keyword respelt); false when they are equal.
bool TextStretch(const std::wstring& shown, const std::wstring& coloured, long& start, long& end);

// The stretch [start, end) of the new text, at least covering every
// character whose text or colour differs from the old colouring (characters
// after a text change are compared at their shifted place). False when
// nothing differs.
bool ChangedStretch(const std::wstring& oldText, const std::vector<unsigned char>& oldColours,
                    const std::wstring& newText, const std::vector<unsigned char>& newColours,
                    long& start, long& end);

// RTF body for text[start, end) in the given looks, escaped as the
// colourers escape it. It starts from the frame's plain look.
std::string StretchBody(const std::wstring& text, const std::vector<unsigned char>& colours, long start,
                        long end);

} // namespace ColourRuns
