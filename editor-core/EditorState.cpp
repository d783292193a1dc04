#include "EditorState.h"

EditorState& State()
{
    static EditorState state;
    return state;
}

void ResetEditorState()
{
    State() = EditorState();
}
