#include "EditorState.h"

#include "KvRTB/KvRTB.h"

EditorState& State()
{
    static EditorState state;
    return state;
}

HWND EditorState::EditorRichEditHandle() const
{
    return CurrentEditor ? CurrentEditor->RTBhWnd() : nullptr;
}

void ResetEditorState()
{
    State() = EditorState();
}
