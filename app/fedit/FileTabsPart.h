#pragma once
// The file tabs below the editor: one label per document slot on the strip
// TBarFiles, drawn as tabs. A click shows that slot's document; the right
// button opens the tab menu on it.
#include "forms/Controls.h"

#include "fedit/FileTabLayout.h"

#include <windows.h>

#include <string>
#include <vector>

class fedit;

class FileTabsPart {
public:
    explicit FileTabsPart(fedit& form) : form_(form) {}

    // Places the strip and its labels on the form, hidden till a document takes one.
    void Place();
    void Wire();
    // Draws the strip with tab `active` selected (-1 keeps the selected one).
    void DrawFileTabs(int active);
    // Shows a slot's tab with its caption, selected.
    void SetTabLabel(const std::wstring& caption, int slot);
    // The caption of the only visible tab, "" when there are none or several.
    std::wstring GetSingleTabCaption();
    // The tab the tab menu was last opened on.
    int PopTabIndex() const { return popTabIndex_; }

private:
    // The form lays the strip out and names and hides the tabs of its documents.
    friend class fedit;

    forms::PictureBox TBarFiles;
    forms::ControlArray<forms::Label> LabFile;   // 0-7, one per document slot

    void LabFile_Click(int Index);
    void LabFile_MouseUp(int Index, int Button);
    void TBarFiles_MouseMove();
    void TBarFiles_Paint(HDC dc);

    fedit& form_;
    int popTabIndex_ = 0;
    std::vector<FileTabLine> tabLines_;   // edges of the file tabs, drawn by TBarFiles
};
