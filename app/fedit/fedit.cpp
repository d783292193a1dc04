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
    editing_.Wire();
}

fedit::~fedit()
{
    Teardown();
}

void fedit::PlaceControls()
{
    SetClientSize(11340, 7290);
    bars_.PlaceToolBars();
    editing_.Place();
    bars_.PlaceAutoInsertBars();
    panels_.PlaceImageFrame();
    panels_.PlaceStatusRow();
    tabs_.Place();
    panels_.PlacePopups();


}

void fedit::WireEvents()
{
    // The editor and its gutter are wired with the editing (WireEditing).
    // The menu items' handlers come from the menu table (Menus.cpp).
    tabs_.Wire();
    bars_.Wire();
    editing_.JT1.FileDrop = [this](HDROP& hDrop) { JT1_FileDrop(hDrop); };
    panels_.Wire();
    editing_.T2.MouseUp = Guard([this](int, int, int, int) { editing_.T2.SetSelLength(0); });

}

void fedit::Form_Load()
{
    SettingsRecord& rec = Settings();
    ModFormOps::SetExStyle(panels_.FrImageOps.hwnd, ModFormOps::ExStyleKind::ModalFrame);
    ModFormOps::SetExStyle(panels_.FrStatus.hwnd, ModFormOps::ExStyleKind::ClientEdge);
    ModFormOps::SetExStyle(bars_.TBarA.hwnd, ModFormOps::ExStyleKind::ModalFrame);
    editing_.JT1.SetUndoLimit(rec.UndoLimit);
    State().RunWithWScript = true;
    panels_.BoxPopJ.List.SelBackColor(0xBE681B);
    panels_.BoxPopJ.List.SelTextColor(0xFBEDE1);
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
    mHelp_Click();
}

void fedit::Form_KeyDown(int& KeyCode, int Shift)
{
    (void)KeyCode;
    (void)Shift;
    if (WindowState() == forms::FormWindowState::Minimized)
        return;
    bars_.HiBox(0).SetVisible(false);
    bars_.HiBox(1).SetVisible(false);
    editing_.JT1.SetFocus();
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

void fedit::Form_Activate()
{
    // Activated, this window can be stacked over the tool windows it owns on
    // the screen, though they stay before it in the window order: they are
    // brought forward again once the activation is done.
    HWND self = hwnd;
    forms::RunLater([self] {
        if (IsWindow(self))
            ModFormOps::RaiseOwnedTopMost(self);
    });
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
        editing_.DisplayChanged(static_cast<int>(HIWORD(lp)));
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
    panels_.ShowStatus(text);
}

void fedit::ClearStatus()
{
    panels_.ClearStatus();
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

// The help file may come or go while the program runs; the item is
// offered only while it is there.
void fedit::mHelp_Click()
{
    mCallHelp.SetEnabled(program_.HelpFileFound());
}

void fedit::mCallHelp_Click()
{
    program_.OpenHelpFile();
}

void fedit::PrepareClose()
{
    ReleaseSettingsComponent();
}
