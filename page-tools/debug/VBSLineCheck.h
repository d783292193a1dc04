#pragma once
// The VBScript format checker's engine: the line check with its
// auto-correction, and the whole-text run that checks every line, compares
// the block-keyword pairs and runs the object-required check. Text is in the
// editor's form (paragraph ends as CR); nothing here needs a window.
#include "Findings.h"
#include "VBSObjectCheck.h"
#include "modVBSColor.h"

#include <string>
#include <vector>

namespace vbs {

struct LineResult {
    // Empty when the line is in order (after the corrections, when they are on).
    std::wstring message;
    // The line with its spacing corrected; the line itself when correction is
    // off or there was nothing to correct.
    std::wstring corrected;
};

// Checks one line's text. autoCorrect: spacing faults at operators, "=",
// "&" and commas are corrected instead of reported; "<" and ">" faults are
// always reported. Strings, comments (apostrophe or REM) and the exponent of
// a number such as 1E-5 are left alone.
LineResult CheckLine(const std::wstring& line, bool autoCorrect);

// True when the line holding pos ends with "_" or follows a line that does
// (each trimmed of blanks, tabs and line breaks).
bool JoinContinuedLine(const std::wstring& text, long pos);

// The server code of an ASP line: s moves past a "<%" found in [s, e) and e
// back to a "%>" found after it.
void NarrowToServerCode(const std::wstring& text, long& s, long& e);

struct Options {
    bool autoCorrect = true;      // the settings' NoAutoCorrect off
    bool countIfThen = false;     // compare "If" with "End If"
    bool debugContinued = false;  // check lines of a "_" continuation too
    bool wholeWord = true;        // object members as whole words (NoWholeWord off)
};

struct RunResult {
    std::vector<debugcheck::Finding> findings;  // in report order
    std::wstring text;                          // the text after the check
    std::vector<debugcheck::Edit> edits;        // what changed, in order
};

// The whole-text check: every line, then the block pairs (line -1), then the
// object-required check driven by objects.
RunResult RunWholeText(const std::wstring& text, const Options& options, const ObjectList& objects);

// The finding for one block pair (k the opening keyword's index, 0, 2, ...
// 12) from the counts, or an empty message when the pair is balanced.
std::wstring PairMessage(const BlockCounts& counts, int k);

} // namespace vbs
