#pragma once
// Controls of ClsColor's range members beyond their arguments.
namespace ClsColorEditor {

// While one exists, a whole-text colouring may rewrite only the stretch of
// the editor that differs from the last colouring (text typed since, and
// colours that the typing changed further on). The typing glue opens one
// around its recolouring after a line edit; every other whole-text colouring
// rewrites everything.
class IncrementalScope {
public:
    explicit IncrementalScope(bool allow);
    ~IncrementalScope();
    IncrementalScope(const IncrementalScope&) = delete;
    IncrementalScope& operator=(const IncrementalScope&) = delete;

private:
    bool previous_;
};

// The editor's colours may no longer be those of the last colouring (another
// document, colouring off, undo, a marked line): the next colouring rewrites
// the whole text.
void ForgetColours();

// Characters that the last colouring rewrote in the editor (for a whole text
// after a line edit, only the stretch that changed).
long LastRewrittenLength();

} // namespace ClsColorEditor
