#include "fedit.h"

#include "HandlerGuard.h"

#include "find/modfind.h"

#include "EditorState.h"
#include "MenuIds.h"
#include "MenuSetRows.h"
#include "ModFileOps.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "ModFormOps.h"
#include "SettingsBridge.h"
#include "SettingsEventSink.h"
#include "preview/fbrowser.h"
#include "preview/Preview.h"

#include "CSubclass.h"

#include <richedit.h>

#include <algorithm>

using namespace forms;

using fedit_handlers::Guard;

void RemoveLeftoverScripts();   // Running.cpp

fedit::fedit(MainProgram& program) : program_(program)
{
    SetCaption(L"TARNEL Editor");
    KeyPreview = true;
    BuildMenus();
    PlaceControls();
    LoadPictures();
    WireEvents();
    WireEditing();
}

fedit::~fedit()
{
    Teardown();
}

void fedit::PlaceControls()
{
    SetClientSize(11340, 7290);
    bars_.PlaceToolBars();
    T2.MultiLine = true;
    T2.BorderStyle = forms::Border::None;
    T2.Alignment = 1;
    T2.Place(*this, 0, 890, 615, 5000);
    T2.SetLocked(true);
    T2.SetTabStop(false);
    T2.SetBackColor(vbButtonFace);
    JT1.Subclasser = program_.Subclasser();
    JT1.Place(*this, 660, 860, 10580, 5025);
    bars_.PlaceAutoInsertBars();
    PlaceImageFrame();
    PlaceStatusRow();

    // The pop-up list and the tip panel, hidden until code assistance shows them.
    FrPop.Place(*this, 2000, 2000, 3600, 1800);
    FrPop.SetBorderStyle(forms::Border::None);
    BoxPopJ.Place(FrPop, 0, 0, 3600, 1800);
    BoxPopX.Place(FrPop, 0, 0, 3600, 1800);
    BoxPopX.SetVisible(false);
    FrPop.SetVisible(false);
    FrTip.Place(*this, 2000, 1500, 6000, 330);
    Label2.Place(FrTip, 0, 0, 1260, 330);
    LabTip.Place(FrTip, 1260, 45, 4700, 255);
    LabTip.SetBackStyle(0);
    const wchar_t* tipButtons[2] = {L"Hide.", L"Lock."};
    for (int i = 0; i < 2; ++i) {
        bTipX(i).Place(FrTip, i == 1 ? 60 : 660, 30, 540, 270);
        bTipX(i).SetCaption(i == 0 ? L"Hide" : L"Lock");
        bTipX(i).SetToolTipText(tipButtons[i]);
    }
    FrTip.SetVisible(false);
    FrTip.WindowWhenShown = true;

}

void fedit::PlaceImageFrame()
{
    FrImageOps.Place(*this, 3000, 5900, 8460, 405);
    picsmall.Place(FrImageOps, 60, 45, 330, 300);
    picsmall.SetToolTipText(L"Displays sampled color.");
    thex.Place(FrImageOps, 450, 45, 1000, 300);
    bbitcol.Place(FrImageOps, 1500, 30, 1380, 330);
    bbitcol.SetCaption(L"Copy color code");
    tsize.Place(FrImageOps, 2940, 45, 1200, 300);
    tsize.SetLocked(true);
    tgrfil.Place(FrImageOps, 4200, 45, 2640, 300);
    tgrfil.SetLocked(true);
    bspec.Place(FrImageOps, 6900, 30, 1500, 330);
    bspec.SetCaption(L"Copy IMG tag");
    bspec.SetToolTipText(L"Put IMG tag on clipboard with width and height specs for this file");
    FrImageOps.SetVisible(false);
}

void fedit::PlaceStatusRow()
{
    FrStatus.Place(*this, 345, 6480, 10650, 375);
    // The sunken edge is the row's only border (Form_Load adds it).
    FrStatus.SetBorderStyle(Border::None);
    LabStatus.Place(FrStatus, 0, 60, 40000, 255);
    LabStatus.UseMnemonic = false;
    LabStatus.WordWrap = false;
    const wchar_t* scrollTips[2] = {L"Scroll status text left.", L"Scroll status text right."};
    for (int i = 0; i < 2; ++i) {
        bStatScroll(i).Place(*this, i == 0 ? 60 : 10945, 6510, 255, 255);
        bStatScroll(i).SetToolTipText(scrollTips[i]);
    }
    // The command-line bar lies over the status text while it is shown.
    FrCommand.Place(FrStatus, 0, 0, 10650, 375);
    FrCommand.SetBorderStyle(forms::Border::None);
    LabCommand.Place(FrCommand, 60, 75, 1300, 255);
    LabCommand.SetCaption(L"Command Line:");
    tCommand.Place(FrCommand, 1360, 0, 7000, 330);
    for (int i = 0; i < 2; ++i) {
        bCommand(i).Place(FrCommand, 9000 + i * 600, 15, 420, 330);
        bCommand(i).SetCaption(i == 0 ? L"X" : L"?");
    }
    FrCommand.SetVisible(false);

    FrCSS.Place(*this, 0, 6480, 11340, 375);
    FrCSS.SetBorderStyle(forms::Border::None);
    const wchar_t* cssTips[2] = {L"Show properties auto-insert popup. (Or use F11 key.)",
                                 L"Show values auto-insert popup. (Or use F12  key.)"};
    for (int i = 0; i < 2; ++i) {
        bPropCSS(i).Place(FrCSS, 5000 + i * 700, 20, 330, 330);
        bPropCSS(i).SetToolTipText(cssTips[i]);
    }
    FrCSS.SetVisible(false);
    FrCSS.WindowWhenShown = true;

    tabs_.Place();
}

void fedit::WireEvents()
{
    // The editor and its gutter are wired with the editing (WireEditing).
    // The menu items' handlers come from the menu table (Menus.cpp).
    tabs_.Wire();
    bars_.Wire();
    JT1.FileDrop = [this](HDROP& hDrop) { JT1_FileDrop(hDrop); };
    LabStatus.MouseMove = Guard([this](int, int, int, int) { bars_.HideOutline(); });

    // Panels.
    bStatScroll.Click = Guard([this](int i) { bStatScroll_Click(i); });
    LabStatus.MouseUp = Guard([this](int b, int, int, int) { LabStatus_MouseUp(b); });
    BoxPopJ.List.MouseDown = Guard([this](int&) { popupItemChosen_ = true; });
    BoxPopJ.List.MouseUp = Guard([this](int&) { popupItemChosen_ = false; });
    BoxPopJ.List.KeyUp = Guard([this](int& k) { BoxPopJ_KeyUp(k); });
    BoxPopJ.List.Click = Guard([this](int& i) { BoxPopJ_Click(i); });
    bPropCSS.Click = Guard([this](int i) { bPropCSS_Click(i); });
    bTipX.Click = Guard([this](int i) { bTipX_Click(i); });
    T2.MouseUp = Guard([this](int, int, int, int) { T2.SetSelLength(0); });

    // Running.
    bCommand.Click = Guard([this](int i) { bCommand_Click(i); });

    // Launchers.
    bbitcol.Click = Guard([this] { bbitcol_Click(); });
    bspec.Click = Guard([this] { bspec_Click(); });
}

void fedit::Form_Load()
{
    SettingsRecord& rec = Settings();
    ModFormOps::SetExStyle(FrImageOps.hwnd, ModFormOps::ExStyleKind::ModalFrame);
    ModFormOps::SetExStyle(FrStatus.hwnd, ModFormOps::ExStyleKind::ClientEdge);
    ModFormOps::SetExStyle(bars_.TBarA.hwnd, ModFormOps::ExStyleKind::ModalFrame);
    JT1.SetUndoLimit(rec.UndoLimit);
    State().RunWithWScript = true;
    BoxPopJ.List.SelBackColor(0xBE681B);
    BoxPopJ.List.SelTextColor(0xFBEDE1);
    SetCaption(L"TARNEL Editor - " + TypeName());
    normalWidth_ = rec.WinWidth;
    normalHeight_ = rec.WinHeight;
    if (rec.WinState != 2) {
        SetWindowState(forms::FormWindowState::Normal);
        Move(kKeep, kKeep, rec.WinWidth, rec.WinHeight);
    } else {
        Move(kKeep, kKeep, rec.WinWidth, rec.WinHeight);
        SetWindowState(forms::FormWindowState::Maximized);
    }
    if (!platform::FolderExists(rec.WebTempFolder))
        platform::ShowMessage(L"The setting for the Webpage Temp Folder, " + rec.WebTempFolder +
                                  L", is pointing to a non-existent folder and needs to be changed in Options -- "
                                  L"Settings.",
                              platform::MessageStyle::Information, hwnd);
    bars_.Load();
    mRunEXE(0).SetChecked(State().RunWithWScript);
    mRunEXE(1).SetChecked(!State().RunWithWScript);
    RemoveLeftoverScripts();
}

void fedit::Form_KeyDown(int& KeyCode, int Shift)
{
    (void)KeyCode;
    (void)Shift;
    if (WindowState() == forms::FormWindowState::Minimized)
        return;
    bars_.HiBox(0).SetVisible(false);
    bars_.HiBox(1).SetVisible(false);
    JT1.SetFocus();
}

void fedit::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    if (State().ProgramClosing)
        return;
    // The close box asks about unsaved documents, and so does the end of the
    // Windows session: a log-off must not lose them either.
    if (UnloadMode == vbFormControlMenu || UnloadMode == vbAppWindows) {
        if (!QuerySaveAll()) {
            Cancel = 1;
            return;
        }
        if (UnloadMode == vbAppWindows)
            return;   // WM_ENDSESSION runs the closing sequence
    }
    // The closing sequence runs before this unload goes on; it leaves the
    // window itself to this unload.
    inUnload_ = true;
    program_.ShutDown();
}

bool fedit::Form_Message(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        if (lp == 0 && LOWORD(wp) >= IDM_mfile && LOWORD(wp) <= IDM_Last) {
            if (MenuItem* item = MenuById(LOWORD(wp)))
                if (Pickable(*item))
                    item->FireClick();
            result = 0;
            return true;
        }
        return false;
    case WM_SIZE:
        // The normal size is what the window comes back to and what is stored.
        if (wp == SIZE_RESTORED && hwnd && !IsIconic(hwnd) && !IsZoomed(hwnd)) {
            normalWidth_ = Width();
            normalHeight_ = Height();
        }
        return false;
    case WM_MOVE:
        // The find window lies over this window's bottom strip wherever it goes.
        PositionFind();
        return false;
    case WM_DISPLAYCHANGE:
        // A taller screen shows more gutter rows than were measured before.
        screenHeight_ = std::max(screenHeight_, static_cast<int>(HIWORD(lp)));
        gutterScreenRows_ = 0;
        FillGutter();
        return false;
    case WM_ENDSESSION:
        if (wp)
            program_.ShutDown();
        result = 0;
        return true;
    case kReleaseSettings:
        if (static_cast<unsigned>(wp) == csGeneration_)
            ReleaseSettingsComponent();
        result = 0;
        return true;
    default:
        return false;
    }
}

std::wstring fedit::TypeName() const
{
    const MenuSetRows::DocumentTypeRow& row = MenuSetRows::DocumentTypeRowOf(State().EdType);
    return row.hasMode ? MenuSetRows::ModeItemOf(row.mode).typeName : L"";
}

void fedit::SetCaptions()
{
    std::wstring caption = L"TARNEL Editor - " + TypeName() + L" - " + State().CurrentFilePath;
    SetCaption(caption);
    BrowserWindow().SetCaption(caption);
}

void fedit::ShowInfo(const std::wstring& text)
{
    bars_.ShowInfo(text);
}

void fedit::ClearInfo()
{
    bars_.ClearInfo();
}

void fedit::Form_MouseMove(int Button, int Shift, int X, int Y)
{
    (void)Button; (void)Shift; (void)X; (void)Y;
    bars_.HideOutline();
}

void fedit::ShowStatus(const std::wstring& text)
{
    if (!Settings().NoStatusHighlight) {
        LabStatus.SetBackColor(0xFFFFFF);
        LabStatus.SetForeColor(0);
    }
    LabStatus.SetLeft(60);
    LabStatus.SetCaption(text);
}

void fedit::ClearStatus()
{
    LabStatus.SetBackColor(vbButtonFace);
    LabStatus.SetForeColor(vbButtonText);
    LabStatus.SetLeft(60);
    LabStatus.SetCaption(L"");
}

void fedit::mExit_Click()
{
    if (!QuerySaveAll())
        return;
    program_.ShutDown();
}

void fedit::mSettings_Click()
{
    ShowSettings();
}

void fedit::mCallHelp_Click()
{
    program_.OpenHelpFile();
}

void fedit::PrepareClose()
{
    ReleaseSettingsComponent();
}
