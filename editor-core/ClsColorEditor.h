#pragma once
// Controls of ClsColor's range members beyond their arguments.
#include <windows.h>

namespace ClsColorEditor {

// While one exists, a whole-text colouring may rewrite only the stretch of
// the editor that differs from the last colouring (text typed since, and
// colours that the typing changed further on). The typing glue opens one
// around its recolouring after a line edit; every other whole-text colouring
// rewrites everything. firstLine..lastLine (editor lines, as EM_LINEINDEX
// counts them) are the lines the edit may have touched: the colouring then
// reads back only those when the editor agrees that the rest is unchanged.
// -1 when not known.
class IncrementalScope {
public:
    explicit IncrementalScope(bool allow, long firstLine = -1, long lastLine = -1);
    ~IncrementalScope();
    IncrementalScope(const IncrementalScope&) = delete;
    IncrementalScope& operator=(const IncrementalScope&) = delete;

private:
    bool previous_;
    long previousFirst_;
    long previousLast_;
};

// The editor's colours may no longer be those of the last colouring (another
// document, colouring off, undo, a marked line): the next colouring of the
// current editor window rewrites the whole text.
void ForgetColours();
// The same for one given RichEdit window. The last colouring of each of a
// few windows is kept, so a document shown again in its own window goes on
// being coloured in part.
void ForgetColours(HWND window);

// Characters that the last colouring rewrote in the editor (for a whole text
// after a line edit, only the stretch that changed).
long LastRewrittenLength();
// Characters that the last colouring read back from the editor (after a line
// edit, often only the edited lines and a paragraph on either side).
long LastReadLength();

} // namespace ClsColorEditor
