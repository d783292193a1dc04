// The file tabs below the editor: one per open document, drawn on TBarFiles;
// a click shows that tab's document, the right button opens the tab menu.
#include "fedit.h"

#include "ClsFile.h"
#include "Documents.h"
#include "EditorState.h"
#include "FileTabLayout.h"
#include "css/CSSPopup.h"
#include "functions/FuncPopup.h"
#include "EditorGlue.h"
#include "forms/BusyScope.h"
#include "platform/Messages.h"
#include "SettingsRecord.h"

namespace {

constexpr int kStripMargin = 690;   // twips of the form's width the strip leaves free

} // namespace

void fedit::WireDocumentEvents()
{
    JT1.FileDrop = [this](HDROP& hDrop) { JT1_FileDrop(hDrop); };
    LabFile.Click = [this](int Index) { LabFile_Click(Index); };
    LabFile.MouseUp = [this](int Index, int Button, int Shift, int X, int Y) {
        LabFile_MouseUp(Index, Button, Shift, X, Y);
    };
    TBarFiles.MouseMove = [this](int Button, int Shift, int X, int Y) { TBarFiles_MouseMove(Button, Shift, X, Y); };
}

void fedit::DrawFileTabs(int active)
{
    if (WindowState() == forms::FormWindowState::Minimized)
        return;
    bool visible[kFileTabSlots];
    for (int i = 0; i < kFileTabSlots; ++i)
        visible[i] = LabFile(i).Visible();
    if (active == -1) {
        active = 0;
        for (int i = 0; i < kFileTabSlots; ++i)
            if (visible[i] && LabFile(i).Height() == kSelectedTabHeight) {
                active = i;
                break;
            }
    }
    FileTabStrip strip = LayoutFileTabs(ScaleWidth() - kStripMargin, visible, active);
    for (const FileTabPlace& t : strip.tabs)
        LabFile(t.slot).Move(t.left, t.top, t.width, t.height);
    tabLines_ = std::move(strip.lines);
    TBarFiles.SetBackColor(forms::vbButtonFace);
    TBarFiles.Refresh();
}

void fedit::TBarFiles_Paint(HDC dc)
{
    for (const FileTabLine& l : tabLines_) {
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(static_cast<int>(l.colour)));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, forms::TwipsToPixelsX(l.x1), forms::TwipsToPixelsY(l.y1), nullptr);
        LineTo(dc, forms::TwipsToPixelsX(l.x2), forms::TwipsToPixelsY(l.y2));
        SelectObject(dc, old);
        DeleteObject(pen);
    }
}

void fedit::SetTabLabel(const std::wstring& caption, int slot)
{
    LabFile(slot).SetVisible(true);
    LabFile(slot).SetCaption(caption);
    DrawFileTabs(slot);
}

std::wstring fedit::GetSingleTabCaption()
{
    int shown = 0;
    int last = -1;
    for (int i = 0; i < kFileTabSlots; ++i)
        if (LabFile(i).Visible()) {
            ++shown;
            last = i;
        }
    return shown == 1 ? LabFile(last).Caption() : L"";
}

bool fedit::ParkCurrentDocument()
{
    ClsFile* files = State().Files;
    if (!files || files->CurrentFile() < 0 || !files->Exists(files->CurrentFile()))
        return true;
    if (files->ParkCurrent())
        return true;
    // Going on would replace the editor's text with nothing to bring it back.
    platform::ShowMessage(L"Unable to write the temporary file of " + files->Name(files->CurrentFile()) +
                              L". The document stays open in the editor.",
                          platform::MessageStyle::Information, hwnd);
    return false;
}

bool fedit::AddNewFile()
{
    EditorState& s = State();
    ClsFile* files = s.Files;
    if (!files || files->NextAvailable() == -1)
        return false;
    if (!ParkCurrentDocument())
        return false;
    const EditorType type = State().EdType;
    // Emptied before the new slot parks it, so the slot never holds the text
    // of the document that was current, and that document keeps its window.
    s.SuppressChangeTracking = true;
    JT1.ClearAll();
    s.SuppressChangeTracking = false;
    // Its colour and line-check switches are taken when it is parked.
    const int slot = files->OpenDocument(L"Untitled", L"Untitled", type, s.ColorCodeOn, s.LineDebugOn);
    LabFile(slot).SetVisible(true);
    LabFile(slot).SetCaption(L"Untitled");
    DrawFileTabs(slot);
    s.CurrentFilePath = L"Untitled";
    ResetFuncLists();
    ClearInfo();
    SetCaptions();
    JT1.SetSelColor(0);
    JT1.ClearUndoBuffer();
    s.LineEdited = false;
    s.DocChanged = false;
    const SettingsRecord& rec = Settings();
    if (!rec.NoColorCode) {
        s.ColorCodeOn = true;
        mColCode.SetChecked(true);
    }
    if (!rec.NoLineDebug)
        s.LineDebugOn = true;
    return true;
}

void fedit::ApplyShownDocumentType(EditorType type, EditorType oldType, bool buildLists)
{
    EditorState& s = State();
    ShowDocumentType(*this, oldType, type);
    if (buildLists) {
        if (type == EditorType::HTML || type == EditorType::VBScript) {
            RedrawLock lock(hwnd);
            BuildFuncPopup();
        } else if (type == EditorType::CSS && !s.CSSListLoaded) {
            LoadCSSList();
        }
    }
    // A document of no known type is shown as one, whatever set stays.
    State().EdType = type;
}

void fedit::LabFile_Click(int Index)
{
    EditorState& s = State();
    if (s.ClickBusy) {
        // A click that arrives while a switch runs only ends the wait.
        s.ClickBusy = false;
        return;
    }
    forms::BusyScope busy(s.ClickBusy);
    ClsFile* files = s.Files;
    if (!files || Index == files->CurrentFile() || !files->Exists(Index))
        return;
    const EditorType oldType = State().EdType;
    const bool wasSuppressed = s.SuppressChangeTracking;
    s.SuppressChangeTracking = true;
    DrawFileTabs(Index);
    if (!files->SwitchTo(Index)) {
        // Refused with a message: the shown document keeps its own tab.
        DrawFileTabs(files->CurrentFile());
        s.SuppressChangeTracking = wasSuppressed;
        return;
    }
    SyncLineNums();
    ApplyShownDocumentType(files->EdType(Index), oldType, true);
    SetCaptions();
    ResetChangeTracking();
    JT1.ClearUndoBuffer();
    s.LineEdited = false;
    s.SuppressChangeTracking = wasSuppressed;
}

void fedit::LabFile_MouseUp(int Index, int Button, int Shift, int X, int Y)
{
    (void)Shift; (void)X; (void)Y;
    if (Button != forms::vbRightButton)
        return;
    // The last remaining tab, untitled, has nothing to close.
    mFileCloseFromTab.SetEnabled(GetSingleTabCaption() != L"Untitled");
    popTabIndex_ = Index;
    PopupMenu(mPopFiles);
}

void fedit::TBarFiles_MouseMove(int Button, int Shift, int X, int Y)
{
    (void)Button; (void)Shift; (void)X; (void)Y;
    if (HiBox(0).Visible() || HiBox(1).Visible()) {
        HiBox(0).SetVisible(false);
        HiBox(1).SetVisible(false);
    }
}
