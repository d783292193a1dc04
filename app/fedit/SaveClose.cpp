// Saving and closing documents: Save, Save As, the tab menu's Close, Save
// and Save As, and the question before the program ends. A document that is
// not in the editor is saved from the clipping pad's hidden editor.
//
// No road loses a document: a save that is cancelled or fails stops the
// close or the exit it belongs to, and the document stays open, marked changed.
#include "fedit.h"

#include "ClsFile.h"
#include "Documents.h"
#include "DocumentsEngine.h"
#include "EditorState.h"
#include "ModFileOps.h"
#include "RichEditStream.h"
#include "css/CSSPopup.h"
#include "functions/FuncPopup.h"
#include "preview/Preview.h"
#include "cBrowse/cBrowse.h"
#include "fpad3.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "SettingsRecord.h"

#include <richedit.h>

namespace {

// A path Save can write to without asking: a file of its own that still exists.
bool SavableFile(const std::wstring& path)
{
    return path != L"Untitled" && platform::FileExists(path);
}

void TellSaveFailed(HWND owner, const std::wstring& path)
{
    platform::ShowMessage(L"Unable to save the file:\r\n" + path +
                              L"\r\nThe document stays open with its changes.",
                          platform::MessageStyle::Information, owner);
}

// The question before an existing file is replaced; true for OK.
bool ReplaceConfirmed(HWND owner, const std::wstring& path)
{
    return platform::ShowMessage(path + L" exists.\r\nDo you want to replace it?", MB_OKCANCEL | MB_ICONQUESTION,
                                 owner) == IDOK;
}

int AskSaveChanges(HWND owner, const std::wstring& path)
{
    return platform::ShowMessage(L"Save changes to: \r\n" + path + L"?", platform::MessageStyle::YesNoCancel, owner);
}

enum class Written { Saved, Cancelled, Failed };

// A file that another program changed since the document read or wrote it is
// not written over without a word: true when the user lets it go.
bool OverwriteConfirmed(HWND owner, const std::wstring& path, int slot)
{
    ClsFile* files = State().Files;
    if (!files || !files->Exists(slot) || !SameDocumentPath(files->Path(slot), path))
        return true;
    const platform::FileStamp was = files->DiskStamp(slot);
    if (!was.valid || platform::StampOf(path) == was)
        return true;
    return platform::ShowMessage(L"The file:\r\n" + path +
                                     L"\r\nhas been changed by another program since it was opened or saved."
                                     L"\r\n\r\nYes replaces it with this document.\r\nNo saves nothing.",
                                 MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, owner) == IDYES;
}

// Writes the editor's text to path as the document in slot was read (its
// encoding and line breaks). Characters its code page cannot hold are never
// dropped without a word: the user chooses UTF-8 (Yes), the code page (No),
// or no save at all (Cancel).
Written WriteDocument(HWND owner, const KvRTB& editor, const std::wstring& path, int slot)
{
    ClsFile* files = State().Files;
    const bool utf8 = Settings().UTF8Text;
    platform::TextFormat* own = files ? files->Format(slot) : nullptr;
    platform::TextFormat format = own && files->Exists(slot) ? *own : platform::NewTextFormat(utf8);
    if (!OverwriteConfirmed(owner, path, slot))
        return Written::Cancelled;
    if (format.EncodingNow(utf8) == platform::TextEncoding::CodePage &&
        !platform::FitsCodePage(editor.FileText(format))) {
        const int answer = platform::ShowMessage(
            L"This document holds characters that the system code page cannot hold:\r\n" + path +
                L"\r\n\r\nYes saves it as UTF-8.\r\nNo saves it in the code page; those characters are lost."
                L"\r\nCancel saves nothing.",
            platform::MessageStyle::YesNoCancel, owner);
        if (answer == IDCANCEL || answer == 0)
            return Written::Cancelled;
        if (answer == IDYES) {
            format.encoding = platform::TextEncoding::Utf8;
            format.followsOption = false;
        }
    }
    if (!editor.SaveFile(path, false, &format))
        return Written::Failed;
    if (own) {
        *own = format;
        files->DiskStamp(slot, platform::StampOf(path));
    }
    return Written::Saved;
}

// As WriteDocument; true when saved, and the user told of a failure.
bool Write(HWND owner, const KvRTB& editor, const std::wstring& path, int slot)
{
    const Written w = WriteDocument(owner, editor, path, slot);
    if (w == Written::Failed)
        TellSaveFailed(owner, path);
    return w == Written::Saved;
}

int CurrentSlot()
{
    ClsFile* files = State().Files;
    return files ? files->CurrentFile() : -1;
}

// A file open in another tab is never saved over from here: two tabs would
// hold one file, and a save of the stale one would overwrite the new text.
bool OpenInAnotherTab(HWND owner, const std::wstring& path, int ownSlot)
{
    const int open = OpenSlotOf(path);
    if (open < 0 || open == ownSlot)
        return false;
    platform::ShowMessage(path + L" is open in another tab.\r\nClose that tab first, or save under another name.",
                          platform::MessageStyle::Information, owner);
    return true;
}

KvRTB* ScratchEditor(fpad3* pad)
{
    return pad && (pad->Loaded() || pad->Load()) ? &pad->RTBOps : nullptr;
}

// The scratch editor's copy of a parked document goes with its window, and
// a fresh one takes its place: Wine's RichEdit deletes a long coloured text
// so slowly that the exit, which saves from here, hung for minutes.
void DropScratchText(KvRTB& scratch)
{
    HWND fresh = scratch.NewDocumentWindow();
    HWND old = fresh ? scratch.SwapDocumentWindow(fresh) : nullptr;
    if (old) {
        DestroyWindow(old);
        return;
    }
    if (fresh)
        DestroyWindow(fresh);
    scratch.ClearAll();
}

} // namespace

std::wstring fedit::SaveDocumentAs()
{
    EditorState& s = State();
    SettingsRecord& rec = Settings();
    std::wstring defaultName, extension;
    if (platform::FileExists(s.CurrentFilePath)) {
        defaultName = platform::GetFileName(s.CurrentFilePath);
        extension = platform::GetExtension(s.CurrentFilePath);
    }
    const int preselected = PreselectedSaveFilter(extension, State().EdType, rec.DefSaveExt);
    int picked = preselected;
    std::wstring path = cBrowse().DSave(hwnd, L"Save As", defaultName, picked);
    if (path.empty())
        return L"";
    if (picked != preselected || picked == kSaveFilterCount)
        path = ApplyFilterExtension(path, picked);
    // A typed extension outranks the filter: broken.html is a page whatever
    // filter showed.
    picked = SavedFilter(path, picked);
    if (OpenInAnotherTab(hwnd, path, s.Files ? s.Files->CurrentFile() : -1))
        return L"";
    // The old file is replaced only once the new one is whole on the disk.
    if (platform::FileExists(path) && !ReplaceConfirmed(hwnd, path))
        return L"";
    if (!Write(hwnd, editing_.JT1, path, CurrentSlot()))
        return L"";
    ClsFile* files = s.Files;
    const EditorType known = files ? files->GetExtEdType(platform::GetExtension(path)) : EditorType::None;
    const SaveAsType now = SaveAsTypeFor(picked, known);
    if (now.setsFlags) {
        s.LineDebugOn = now.lineDebug;
        s.ColorCodeOn = now.colour;
        if (picked == 8 && !s.CSSListLoaded)
            LoadCSSList();
    }
    const EditorType current = State().EdType;
    if (now.changesType && now.type != current) {
        ShowDocumentType(current, now.type);
        if (IsPageType(now.type) || now.type == EditorType::VBScript) {
            BuildFuncPopup();
        } else if (now.type == EditorType::CSS) {
            ResetFuncLists();
            if (!s.CSSListLoaded)
                LoadCSSList();
        }
    }
    s.CurrentFilePath = path;
    SetCaptions();
    if (HWND re = editing_.JT1.RTBhWnd())
        SendMessageW(re, EM_SETMODIFY, 0, 0);
    UpdateRecentFiles(path);
    RemovePreviewPage();
    return path;
}

std::wstring fedit::SaveTabAs(int slot)
{
    KvRTB* scratch = ScratchEditor(program_.ClipPadForm());
    if (!scratch)
        return L"";
    SettingsRecord& rec = Settings();
    int index = rec.DefSaveExt;
    const std::wstring path = cBrowse().DSave(hwnd, L"Save As", L"Untitled", index);
    rec.DefSaveExt = static_cast<int16_t>(index);
    if (path.empty() || OpenInAnotherTab(hwnd, path, slot))
        return L"";
    if (platform::FileExists(path) && !ReplaceConfirmed(hwnd, path))
        return L"";
    if (!Write(hwnd, *scratch, path, slot))
        return L"";
    return path;
}

std::wstring fedit::SaveParked(int slot, bool askPath)
{
    fpad3* pad = program_.ClipPadForm();
    ClsFile* files = State().Files;
    KvRTB* scratch = ScratchEditor(pad);
    if (!files || !scratch)
        return L"";
    std::wstring p = files->Path(slot);
    std::wstring saved;
    if (!files->Load3(slot)) {
        platform::ShowMessage(L"Unable to read the temporary file of " + files->Name(slot) +
                                  L". The document cannot be saved.",
                              platform::MessageStyle::Information, hwnd);
    } else if (askPath || !SavableFile(p)) {
        saved = SaveTabAs(slot);
    } else if (Write(hwnd, *scratch, p, slot)) {
        saved = p;
    }
    DropScratchText(*scratch);
    return saved;
}

std::wstring fedit::SaveShown()
{
    const std::wstring p = State().CurrentFilePath;
    if (!SavableFile(p))
        return SaveDocumentAs();
    return Write(hwnd, editing_.JT1, p, CurrentSlot()) ? p : L"";
}

void fedit::mSavePlain_Click()
{
    EditorState& s = State();
    if (!SavableFile(s.CurrentFilePath)) {
        mSaveAs_Click();
        return;
    }
    if (Write(hwnd, editing_.JT1, s.CurrentFilePath, CurrentSlot()))
        s.DocChanged = false;
}

void fedit::mSaveAs_Click()
{
    EditorState& s = State();
    const std::wstring p = SaveDocumentAs();
    if (p.empty() || !platform::FileExists(p))
        return;
    s.DocChanged = false;
    ClsFile* files = s.Files;
    const int slot = files ? files->CurrentFile() : -1;
    if (slot < 0)
        return;
    files->Save(slot);
    files->Changed(slot, false);
    files->EdType(slot, State().EdType);
    files->Path(slot, p);
    files->Name(slot, platform::GetFileName(p));
    files->ColorThis(slot, s.ColorCodeOn);
    files->DebugThis(slot, s.LineDebugOn);
    tabs_.LabFile(slot).SetCaption(files->Name(slot));
}

void fedit::mFileSaveFromTab_Click(int Index)
{
    EditorState& s = State();
    ClsFile* files = s.Files;
    const int t = tabs_.PopTabIndex();
    if (!files || !files->Exists(t))
        return;
    if (t != files->CurrentFile()) {
        const std::wstring p = SaveParked(t, Index == 1);
        if (p.empty())
            return;
        files->Path(t, p);
        files->Name(t, platform::GetFileName(p));
        files->Changed(t, false);
        tabs_.LabFile(t).SetCaption(files->Name(t));
        return;
    }
    if (Index == 1)
        mSaveAs_Click();
    else
        mSavePlain_Click();
    files->Path(t, s.CurrentFilePath);
    files->Name(t, platform::GetFileName(s.CurrentFilePath));
    // Still marked when the save was cancelled or failed.
    files->Changed(t, s.DocChanged);
    tabs_.LabFile(t).SetCaption(files->Name(t));
    files->ColorThis(t, s.ColorCodeOn);
    files->DebugThis(t, s.LineDebugOn);
    s.LineEdited = false;
}

void fedit::mFileCloseFromTab_Click()
{
    EditorState& s = State();
    ClsFile* files = s.Files;
    const int t = tabs_.PopTabIndex();
    if (!files || !files->Exists(t))
        return;
    const bool current = t == files->CurrentFile();
    if (current && s.DocChanged) {
        const int answer = platform::ShowMessage(L"Save changes to:\r\n" + files->Name(t) + L"\r\nbefore closing?",
                                                 platform::MessageStyle::YesNoCancel, hwnd);
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES && SaveShown().empty())
            return;
    } else if (!current && files->Changed(t)) {
        const int answer = AskSaveChanges(hwnd, files->Path(t));
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES && SaveParked(t, false).empty())
            return;
    }
    files->RemoveFile(t);
    tabs_.LabFile(t).SetCaption(L"");
    tabs_.LabFile(t).SetVisible(false);
    if (!current) {
        tabs_.DrawFileTabs(-1);
        return;
    }
    files->CurrentFile(-1);
    int k = -1;
    for (int i = 0; i < ClsFile::SlotCount && k < 0; ++i)
        if (tabs_.LabFile(i).Visible())
            k = i;
    const EditorType oldType = State().EdType;
    if (k >= 0 && files->SwitchTo(k)) {
        editing_.SyncLineNums();
        ApplyShownDocumentType(files->EdType(k), oldType, false);
        SetCaptions();
    } else {
        // No document left (or the next one could not be read): a new one.
        k = AddNewFile() ? files->CurrentFile() : 0;
    }
    editing_.JT1.ClearUndoBuffer();
    tabs_.DrawFileTabs(k);
}

bool fedit::QuerySaveAll()
{
    EditorState& s = State();
    ClsFile* files = s.Files;
    const int c = files ? files->CurrentFile() : -1;
    if (c > -1 && s.DocChanged) {
        std::wstring p = files->Path(c).empty() ? L"Untitled" : files->Path(c);
        const int answer = AskSaveChanges(hwnd, p);
        if (answer == IDCANCEL)
            return false;
        if (answer == IDYES) {
            if (SaveShown().empty())
                return false;
            // A later Cancel keeps the program running: this one is saved.
            s.DocChanged = false;
            files->Changed(c, false);
        }
    }
    for (int i = 0; files && i < ClsFile::SlotCount; ++i) {
        if (!tabs_.LabFile(i).Visible() || i == c || !files->Changed(i))
            continue;
        const int answer = AskSaveChanges(hwnd, files->Path(i));
        if (answer == IDCANCEL)
            return false;
        if (answer == IDYES) {
            const std::wstring p = SaveParked(i, false);
            if (p.empty())
                return false;
            files->Changed(i, false);
            if (p != files->Path(i)) {
                files->Path(i, p);
                files->Name(i, platform::GetFileName(p));
                tabs_.LabFile(i).SetCaption(files->Name(i));
            }
        }
    }
    // The slots stay until the program really ends: a shutdown that another
    // program vetoes after this answer leaves every document open.
    return true;
}

void fedit::ReleaseDocumentSlots()
{
    ClsFile* files = State().Files;
    for (int i = 0; files && i < ClsFile::SlotCount; ++i) {
        tabs_.LabFile(i).SetVisible(false);
        if (files->Exists(i))
            files->RemoveFile(i);
    }
    tabs_.DrawFileTabs(-1);
}
