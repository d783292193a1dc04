#pragma once
// What a format check hands back: its findings, and for the VBScript checks
// the edits it made to the text, in the order they were made.
#include <string>
#include <vector>

namespace debugcheck {

// A finding at a 1-based line number, or at no line (-1, shown as "-").
struct Finding {
    long line;
    std::wstring message;
    bool operator==(const Finding& o) const { return line == o.line && message == o.message; }
};

// Replace `length` characters at `start` by `text`. Positions are those of
// the text as it stood when the edit was made, so the edits apply one after
// the other.
struct Edit {
    long start;
    long length;
    std::wstring text;
};

} // namespace debugcheck
