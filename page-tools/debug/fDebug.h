#pragma once
// fDebug: the report window of the format checks. One row per finding, the
// line number (or "-") in the narrow list on the left and the message in the
// wide list on the right; selecting a row takes the editor and the gutter to
// that line. Rerun runs the check of the current document again; Close hides
// the window and gives line checking back. Made at start-up, loaded hidden
// when first shown, and kept until shutdown; the user's close only hides it.
#include "ButSilver2/ButSilver2Control.h"
#include "forms/ControlArray.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include <string>

class fDebug : public forms::Form {
public:
    fDebug();
    ~fDebug() override;

    forms::ControlArray<forms::ListBox> BoxBug;  // 0 line numbers, 1 messages
    forms::ControlArray<forms::Label> Label1;    // 0 "Line #", 1 the hint, 2 "Error Description:"
    ButSilver2Control bRerun;
    ButSilver2Control bclose;

    // Empties both lists.
    void ClearReport();
    // Appends a row: the line number (or "-" for line -1) and the message.
    void AddReportLine(const std::wstring& message, long line);
    long ReportCount() const;
    // Places the window in the lower right corner of the main window, gives
    // it the caption, and shows it modeless and topmost.
    void ShowReport(const std::wstring& caption);

    void BoxBug_Click(int Index);
    // The other list follows a list that scrolled, so the rows stay side by side.
    void BoxBug_Scroll(int Index);
    void bRerun_Click();
    void bclose_Click();

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    static LRESULT CALLBACK ListProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void HideReport();
    void ClearGutterSelection();
    void GoToLine(long line);

    bool busy_ = false;
    int topIndex_[2] = {0, 0};
};

// The program's one report window, made on first use.
fDebug& ReportWindow();
// Unloads and destroys it (shutdown).
void UnloadReportWindow();
