#include "HiddenForm.h"

#include "EditorState.h"

HiddenForm::HiddenForm(const std::wstring& caption)
{
    SetCaption(caption);
    ShowInTaskbar = false;
}

void HiddenForm::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode == forms::vbFormControlMenu && !State().ProgramClosing) {
        Cancel = 1;
        Hide();
    }
}
