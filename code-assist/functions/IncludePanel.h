#pragma once
// The include-file panel: the list of files linked to the current document,
// with browse and remove buttons; files dropped on the list are linked too.
// It builds its controls inside a frame of the window that hosts it.
#include "ButSilver2/ButSilver2Control.h"
#include "forms/Controls.h"
#include "print/fprint.h"

#include <string>
#include <vector>

class IncludePanel : public PopupPanelContent {
public:
    // Makes the panel's controls in frame, laid out to its size, and gives
    // the frame the panel's caption. Call once; the form may be loaded already.
    void Build(forms::Frame& frame);
    // The list shows these files (full paths), in order.
    void Fill(const std::vector<std::wstring>& paths);

    forms::ListBox BoxRef;
    forms::ControlArray<ButSilver2Control> bFile;   // 0 browse, 1 remove
    forms::ControlArray<forms::Label> LabHelp;

    // Links an existing file (as a browse or a drop does); false otherwise.
    bool LinkFile(const std::wstring& path);

private:
    void bFile_Click(int index);
    void BoxRef_OLEDragDrop(const std::vector<std::wstring>& files);
    void KeepInFront();

    forms::Frame* frame_ = nullptr;
};
