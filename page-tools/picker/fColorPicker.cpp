#include "fColorPicker.h"

#include "MainHost.h"
#include "ModFormOps.h"
#include "EditorState.h"
#include "SettingsRecord.h"
#include "ToolButtons.h"
#include "WebSafeColor.h"
#include "forms/Runtime.h"
#include "platform/Messages.h"

#include <memory>

namespace {

std::unique_ptr<fColorPicker>& Instance()
{
    static std::unique_ptr<fColorPicker> window;
    return window;
}

} // namespace

fColorPicker& ColorPickerWindow()
{
    if (!Instance())
        Instance() = std::make_unique<fColorPicker>();
    return *Instance();
}

void UnloadColorPickerWindow()
{
    if (!Instance())
        return;
    Instance()->Unload();
    Instance().reset();
}

fColorPicker::fColorPicker()
{
    SetCaption(L"Color Picker");
    BorderStyle = forms::FormBorderStyle::FixedToolWindow;
    ShowInTaskbar = false;
    StartUpPosition = forms::FormStartUpPosition::Manual;
    forms::FontSpec font;
    font.Name = L"Arial";
    font.Size = 9;
    SetFont(font);
    SetClientSize(5160, 2280);

    Label8.Place(*this, 120, 150, 1320, 255);
    Label8.SetCaption(L"Enter Hex Code");
    tenter.Place(*this, 1440, 120, 1080, 315);
    PlaceToolButton(bshowhex, *this, 2640, 90, 1140, 375, L"Show Color");
    bshowhex.SetToolTipText(L"Show color of hex code entered.");
    PlaceToolButton(bchoosecol, *this, 3900, 90, 1140, 375, L"Choose...");
    bchoosecol.SetToolTipText(L"Open color selector.");

    Label14.Place(*this, 120, 660, 2280, 255);
    Label14.SetCaption(L"Selected Color");
    Label17.Place(*this, 2640, 660, 2280, 255);
    Label17.SetCaption(L" Web-Safe Equiv.");
    pcol.Place(*this, 120, 960, 2280, 600);
    pcol.SetToolTipText(L"displays selected color.");
    picsafe.Place(*this, 2640, 960, 2280, 600);
    picsafe.SetToolTipText(L"displays selected color.");
    thex2.Place(*this, 120, 1740, 1800, 315);
    tsafe.Place(*this, 2640, 1740, 1800, 315);
    thex2.SetLocked(true);
    tsafe.SetLocked(true);
    for (int i : {0, 1}) {
        ImCopy(i).Place(*this, i == 0 ? 1980 : 4500, 1740, 480, 315);
        HBITMAP picture = ButSilver2::CaptionPicture(L"Copy", forms::TwipsToPixelsX(480), forms::TwipsToPixelsY(315));
        ImCopy(i).SetPicture(picture, true);
        ImCopy(i).SetToolTipText(L"Copy hex code.");
    }

    bshowhex.Click = [this] { ShowHexColor(); };
    bchoosecol.Click = [this] { ShowColorChooser(forms::ToColorRef(pcol.BackColor())); };
    ImCopy.Click = [this](int Index) { ImCopy_Click(Index); };
    ImCopy.MouseDown = [this](int Index, int, int, int, int) { SetCopyLook(Index, true); };
    ImCopy.MouseUp = [this](int, int, int, int, int) {
        SetCopyLook(0, false);
        SetCopyLook(1, false);
    };
}

fColorPicker::~fColorPicker() { Teardown(); }

void fColorPicker::ShowPicker()
{
    Load();
    if (Visible())
        return;
    HWND main = Host() ? Host()->Window() : nullptr;
    RECT r{};
    if (main && !IsIconic(main) && GetWindowRect(main, &r)) {
        const int left = forms::PixelsToTwipsX(r.left), top = forms::PixelsToTwipsY(r.top);
        const int width = forms::PixelsToTwipsX(r.right - r.left), height = forms::PixelsToTwipsY(r.bottom - r.top);
        Move(left + (width - Width()) / 2, top + height - (Height() + 435));
    } else {
        const int screenW = forms::PixelsToTwipsX(GetSystemMetrics(SM_CXSCREEN));
        const int screenH = forms::PixelsToTwipsY(GetSystemMetrics(SM_CYSCREEN));
        Move((screenW - Width()) / 2, screenH - Height() - 100 * forms::TwipsPerPixelY());
    }
    Show(forms::vbModeless);
    tenter.SetFocus();
}

void fColorPicker::ShowHexColor()
{
    std::wstring code = tenter.Text();
    UINT message = picker::CheckHexCode(code);
    if (message != picker::IDS_HEX_LENGTH)
        tenter.SetText(code);
    if (message) {
        platform::ShowMessage(forms::LoadResString(message), platform::MessageStyle::Information, hwnd);
        return;
    }
    ShowColours(picker::ColourOfCode(code), code);
    ShowColorChooser(picker::ColourOfCode(code));
}

void fColorPicker::ShowColorChooser(COLORREF initial)
{
    long chosen = ModFormOps::ShowColorDialog(hwnd, initial, Settings().CustColors);
    if (chosen < 0)
        return;
    ShowColours(static_cast<COLORREF>(chosen), picker::CodeOfColour(static_cast<COLORREF>(chosen)));
}

void fColorPicker::ShowColours(COLORREF colour, const std::wstring& code)
{
    COLORREF safeColour = 0;
    std::wstring safeCode;
    picker::WebSafeColor(code.substr(0, 2), code.substr(2, 2), code.substr(4, 2), safeColour, safeCode);
    pcol.SetBackColor(colour);
    picsafe.SetBackColor(safeColour);
    pcol.Refresh();
    picsafe.Refresh();
    const EditorType type = State().EdType;
    thex2.SetText(picker::DocumentForm(code, type));
    tsafe.SetText(picker::DocumentForm(safeCode, type));
}

void fColorPicker::ImCopy_Click(int Index)
{
    std::wstring text = Index == 0 ? thex2.Text() : tsafe.Text();
    if (text.empty())
        return;
    if (forms::ClipboardSetText(text) && Host())
        Host()->ShowInfo(L"Clipboard");
}

void fColorPicker::SetCopyLook(int Index, bool pressed)
{
    ImCopy(Index).SetAppearance(pressed ? 1 : 0);
    ImCopy(Index).SetBorderStyle(pressed ? forms::Border::FixedSingle : forms::Border::None);
}

void fColorPicker::Form_MouseMove(int, int, int, int)
{
    SetCopyLook(0, false);
    SetCopyLook(1, false);
}

void fColorPicker::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (UnloadMode == forms::vbFormControlMenu) {
        Cancel = 1;
        Hide();
    }
}
