#pragma once
// fprint: the print window. Its print panel takes the page title and the two
// header options and prints the main editor's text; printer set-up opens the
// system's dialog. The window has a second panel, FrPopup, for another tool,
// which fills it with its own controls. Made at start-up, loaded hidden, and
// kept until shutdown; the user's close only hides it. The main window owns
// it, so it stays in front while the user works in both.
#include "ButSilver2/ButSilver2Control.h"
#include "cBrowse/cBrowse.h"
#include "forms/ControlArray.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include <memory>
#include <string>

// What another tool builds into the print window's other panel; the window
// keeps it for as long as the panel's controls live.
class PopupPanelContent {
public:
    virtual ~PopupPanelContent() = default;
};

class fprint : public forms::Form {
public:
    fprint();
    ~fprint() override;

    // The print command: the title box gets title, the other panel is
    // hidden, and the window shows with the caption "Print Editor Text".
    void ShowPrintPanel(const std::wstring& title);
    // The other panel, empty and hidden until its owner builds its controls
    // in it (and may move or size it); shown over the print panel, the window
    // sized to hold it, with the given caption.
    forms::Frame& PopupPanel() { return FrPopup; }
    PopupPanelContent* PopupContent() const { return popupContent_.get(); }
    void SetPopupContent(std::unique_ptr<PopupPanelContent> content) { popupContent_ = std::move(content); }
    void ShowPopupPanel(const std::wstring& caption);
    // Hides the window and gives the focus back to the main window (either
    // panel's cancel).
    void bcancel_Click(int Index);

    // The printer choices of the last set-up, used by every print.
    const PrinterSetup& Setup() const { return setup_; }

protected:
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    void bok_Click();
    void bpset_Click();
    void ShowPrintControls(bool show);

    forms::Label Label1, Label2;
    forms::TextBox tTitle;
    forms::ControlArray<forms::CheckBox> CkNum;  // 0 page numbers, 1 page title
    ButSilver2Control bok, bpset;
    forms::ControlArray<ButSilver2Control> bcancel;  // 0 this panel's, 1 the other panel's
    forms::Frame FrPopup;

    bool busy_ = false;
    PrinterSetup setup_;
    std::unique_ptr<PopupPanelContent> popupContent_;
};

// The program's print window, made on first use.
fprint& PrintWindow();
// Unloads and destroys it (shutdown).
void UnloadPrintWindow();
