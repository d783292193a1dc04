#pragma once
// The arithmetic of the line-block commands on plain text: comment,
// uncomment, indent and outdent act on whole lines of the text (a line ends
// at CR, LF or CR LF, never where word wrap breaks it on screen); the tag
// pass upper-cases tag and attribute names; insert returns finds where the
// screen's line ends need a hard break.
#include "TextEdit.h"
#include "editor-core/EditorType.h"
#include "platform/Text.h"

#include <string>
#include <vector>

namespace LineBlocks {

// Start of the line holding pos, and the end of its text (before its break).
using platform::LineStart;
using platform::LineEnd;

// The text lines of the selection s..e: from the line of s to the line of
// the character two before e, so a selection that ends just after a line
// break, or one character into the next line, leaves that next line out.
// Positions: the first line's start and the last line's end (before its
// break). False for an empty selection.
bool SelectedBlock(const std::wstring& text, long s, long e, long& blockStart, long& blockEnd);

// Puts mark at the start of every selected line. Selection afterwards: the
// commented lines with the last one's line break (when it has one), for the
// comment colour; the caret goes to its end.
TextEdit CommentLines(const std::wstring& text, long s, long e, const std::wstring& mark);
// In VBScript only: from each selected line whose text starts,
// after blanks, with an apostrophe, removes the first mark, or without one
// the first apostrophe. The caret goes to the first line's start.
TextEdit UncommentLines(const std::wstring& text, long s, long e, const std::wstring& mark, EditorType edType);
// Mode 1 puts spacer at the start of each selected line; any other mode
// removes it from each line that starts with exactly it. The block of lines
// is selected afterwards, without the last one's break.
TextEdit IndentLines(const std::wstring& text, long s, long e, const std::wstring& spacer, int mode);

// The text with the names of tags and of their attributes in upper case.
// Attribute values (quoted or not), text outside tags, comments, server
// blocks (<% %>, <? ?>) and the contents of SCRIPT and STYLE elements stay
// as they are.
std::wstring UpperCaseTags(const std::wstring& text);

// Where hard line breaks go so that each screen line ends with one: the
// starts (after the first) of screen lines that do not follow a break, last
// first, so that inserting in this order keeps the other positions valid.
// lineStarts are the screen lines' starts in order; with fewer than three
// screen lines nothing is inserted.
std::vector<long> ReturnPositions(const std::wstring& text, const std::vector<long>& lineStarts);

} // namespace LineBlocks
