#include "fprint.h"

#include "KvRTB/KvRTB.h"
#include "MainHost.h"
#include "ToolButtons.h"
#include "forms/Runtime.h"
#include "modprintRTF.h"

#include <algorithm>
#include <memory>

namespace {

// The print panel's client size (twips).
const int kPrintWidth = 4680, kPrintHeight = 2400;

std::unique_ptr<fprint>& Instance()
{
    static std::unique_ptr<fprint> window;
    return window;
}

} // namespace

fprint& PrintWindow()
{
    if (!Instance())
        Instance() = std::make_unique<fprint>();
    return *Instance();
}

void UnloadPrintWindow()
{
    if (!Instance())
        return;
    Instance()->Unload();
    Instance().reset();
}

fprint::fprint()
{
    SetCaption(L"Print Editor Text");
    BorderStyle = forms::FormBorderStyle::FixedToolWindow;
    ShowInTaskbar = false;
    StartUpPosition = forms::FormStartUpPosition::CenterScreen;
    forms::FontSpec font;
    font.Name = L"Arial";
    font.Size = 9;
    SetFont(font);
    SetClientSize(kPrintWidth, kPrintHeight);

    Label2.Place(*this, 120, 120, 4440, 285);
    Label2.SetCaption(L"Print Editor Text");
    Label2.SetFontBold(true);
    Label1.Place(*this, 120, 540, 1080, 255);
    Label1.SetCaption(L"Page Title:");
    tTitle.Place(*this, 1200, 500, 3360, 315);
    CkNum(1).Place(*this, 1200, 960, 3360, 285);
    CkNum(1).SetCaption(L"Print page title.");
    CkNum(0).Place(*this, 1200, 1290, 3360, 285);
    CkNum(0).SetCaption(L"Print page numbers.");
    PlaceToolButton(bok, *this, 120, 1860, 1320, 375, L"Print");
    bok.SetToolTipText(L"Print the editor text.");
    PlaceToolButton(bpset, *this, 1680, 1860, 1320, 375, L"Printer Setup");
    bpset.SetToolTipText(L"Printer setup.");
    PlaceToolButton(bcancel(0), *this, 3240, 1860, 1320, 375, L"Cancel");
    FrPopup.Place(*this, 0, 0, kPrintWidth, kPrintHeight);
    FrPopup.SetBorderStyle(forms::Border::None);
    FrPopup.SetVisible(false);

    bok.Click = [this] { bok_Click(); };
    bpset.Click = [this] { bpset_Click(); };
    bcancel.Click = [this](int Index) { bcancel_Click(Index); };
}

fprint::~fprint() { Teardown(); }

void fprint::ShowPrintPanel(const std::wstring& title)
{
    Load();
    tTitle.SetText(title);
    FrPopup.SetVisible(false);
    ShowPrintControls(true);
    SetClientSize(kPrintWidth, kPrintHeight);
    SetCaption(L"Print Editor Text");
    Show(forms::vbModeless, Host() ? Host()->Window() : nullptr);
}

void fprint::ShowPopupPanel(const std::wstring& caption)
{
    Load();
    // The panel's owner may have sized the frame for its controls.
    SetClientSize(std::max(kPrintWidth, FrPopup.Left() + FrPopup.Width()),
                  std::max(kPrintHeight, FrPopup.Top() + FrPopup.Height()));
    // The print panel's windows would show through the other panel.
    ShowPrintControls(false);
    FrPopup.SetVisible(true);
    FrPopup.ZOrder(0);
    SetCaption(caption);
    Show(forms::vbModeless, Host() ? Host()->Window() : nullptr);
}

void fprint::ShowPrintControls(bool show)
{
    forms::Control* controls[] = {&Label1, &Label2, &tTitle, &CkNum(0), &CkNum(1), &bok, &bpset, &bcancel(0)};
    for (forms::Control* c : controls)
        c->SetVisible(show);
}

void fprint::bok_Click()
{
    if (busy_ || !Host())
        return;
    busy_ = true;
    bcancel(0).SetEnabled(false);
    bpset.SetEnabled(false);
    Hide();
    forms::DoEvents();  // the screen is repainted before the job
    PrintRTF(Host()->JT1(), tTitle.Text(), CkNum(1).Value() == 1, CkNum(0).Value() == 1, setup_);
    bcancel(0).SetEnabled(true);
    bpset.SetEnabled(true);
    busy_ = false;
}

void fprint::bpset_Click()
{
    cBrowse dialogs;
    dialogs.DPrint(hwnd, setup_);
}

void fprint::bcancel_Click(int)
{
    Hide();
    if (Host() && IsWindowVisible(Host()->Window()))
        ::SetFocus(Host()->Window());
}

void fprint::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode == forms::vbFormControlMenu) {
        Cancel = 1;
        Hide();
    }
}
