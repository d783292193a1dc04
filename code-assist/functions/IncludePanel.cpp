#include "IncludePanel.h"

#include "LinkFiles.h"
#include "ModFileOps.h"
#include "ToolButtons.h"
#include "cBrowse/cBrowse.h"
#include "forms/Form.h"
#include "forms/Runtime.h"
#include "platform/Messages.h"

#include <algorithm>

void IncludePanel::Build(forms::Frame& frame)
{
    frame_ = &frame;
    frame.SetCaption(L"  Add or remove links to external files.  ");
    const int w = std::max(frame.Width(), 8400), h = std::max(frame.Height(), 3300);
    frame.Move(forms::kKeep, forms::kKeep, w, h);
    const wchar_t* texts[] = {
        L"To add file:   Browse or drop on list.",
        L"To remove file:   Select from list and click \"Remove\".",
        L"All subs and functions in referenced external files will be included in Function Popup."};
    LabHelp(0).Place(frame, 120, 300, w - 240, 255);
    LabHelp(1).Place(frame, 120, 555, w - 240, 255);
    LabHelp(2).Place(frame, 120, h - 660, w - 240, 480);
    for (int i = 0; i < 3; ++i)
        LabHelp(i).SetCaption(texts[i]);

    BoxRef.Place(frame, 120, 900, w - 1620, h - 1680);
    BoxRef.SetOLEDropMode(1);
    BoxRef.OLEDragDrop = [this](const std::vector<std::wstring>& files, int, int, int, int) {
        BoxRef_OLEDragDrop(files);
    };
    PlaceToolButton(bFile(0), frame, w - 1380, 900, 1260, 375, L"Browse...");
    PlaceToolButton(bFile(1), frame, w - 1380, 1380, 1260, 375, L"Remove");
    bFile(0).SetToolTipText(L"Browse for include file.");
    bFile(1).SetToolTipText(L"Remove selected file reference.");
    bFile.Click = [this](int index) { bFile_Click(index); };
}

void IncludePanel::Fill(const std::vector<std::wstring>& paths)
{
    BoxRef.Clear();
    for (const std::wstring& path : paths)
        BoxRef.AddItem(path);
}

bool IncludePanel::LinkFile(const std::wstring& path)
{
    if (path.empty() || !ModFileOps::FileExists(path))
        return false;
    AddLinkFile(path, true);
    BoxRef.AddItem(path);
    BoxRef.Refresh();
    KeepInFront();
    return true;
}

void IncludePanel::bFile_Click(int index)
{
    if (index == 0) {
        HWND owner = frame_ && frame_->OwnerForm() ? frame_->OwnerForm()->hwnd : nullptr;
        std::wstring path = cBrowse().DOpen(owner, L"Select file", L"Script Files(*.vbs;*.js)", L"*.vbs;*.js", true);
        if (path.empty())
            return;
        forms::DoEvents();
        LinkFile(path);
        return;
    }
    int row = BoxRef.ListIndex();
    if (row < 0) {
        platform::ShowMessage(L"Nothing selected.", MB_OK);
        return;
    }
    RemoveLinkFile(BoxRef.List(row));
    BoxRef.RemoveItem(row);
    BoxRef.Refresh();
    KeepInFront();
}

void IncludePanel::KeepInFront()
{
    // Editing the document gave the main window the focus; the panel stays
    // in front for the next file.
    forms::Form* form = frame_ ? frame_->OwnerForm() : nullptr;
    if (form && form->hwnd && IsWindowVisible(form->hwnd))
        SetForegroundWindow(form->hwnd);
}

void IncludePanel::BoxRef_OLEDragDrop(const std::vector<std::wstring>& files)
{
    if (!files.empty())
        LinkFile(files.front());
}
