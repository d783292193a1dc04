#pragma once
// fmulti: replaces one text by another in files on disk without opening them.
// The user collects paths through the multi-select Open dialog, enters the
// existing text and its replacement, marks entries and applies. Made when
// first asked for; the user's close empties the list and unloads it.
#include "ButSilver2/ButSilver2Control.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include <string>
#include <vector>

class fmulti : public forms::Form {
public:
    fmulti();
    ~fmulti() override;

    forms::ListBox filbox;
    forms::TextBox told, tnew;
    forms::CheckBox ck1;
    ButSilver2Control bsel, bapply;
    forms::Label Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8;

    // Adds the dialog's answer (one path, or a folder, NUL and names) to the list.
    void AddChosenFiles(const std::wstring& result);
    void bsel_Click();
    void bapply_Click();

private:
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    std::vector<std::wstring> MarkedPaths();

    bool busy_ = false;
};

// Shows the window modeless, loading it first when it is not loaded.
void ShowMultiReplaceWindow();
// The window while it is loaded; nullptr otherwise.
fmulti* MultiReplaceWindow();
// Unloads it when loaded (shutdown).
void UnloadMultiReplaceWindow();
