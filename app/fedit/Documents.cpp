// Opening documents: New, Open, the template, a dropped file and the recent
// files all end in LoadDocument.
#include "Documents.h"

#include "ClsColor.h"
#include "ClsColorEditor.h"
#include "ClsFile.h"
#include "DocumentsEngine.h"
#include "EditorState.h"
#include "MenuSetRows.h"
#include "css/CSSPopup.h"
#include "functions/FuncPopup.h"
#include "SettingsAccess.h"
#include "EditorGlue.h"
#include "cBrowse/cBrowse.h"
#include "fedit.h"
#include "forms/BusyScope.h"
#include "forms/Runtime.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Module.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "SettingsRecord.h"

#include <richedit.h>
#include <shellapi.h>

namespace {

const wchar_t kNoFreeSlot[] = L"The maximum number of files are already open.";
const wchar_t kOpenTypes[] = L"*.html;*.htm;*.hta;*.txt;*.vbs;*.js;*.php;*.shtml;*.xhtml;*.asp;*.aspx;*.css;*.wsf;*.wsc";

void Tell(HWND owner, const std::wstring& text)
{
    platform::ShowMessage(text, platform::MessageStyle::Information, owner);
}

bool NoFreeSlot()
{
    ClsFile* files = State().Files;
    return !files || files->NextAvailable() == -1;
}

// The colourer a document of the type is coloured with: an ASP page is a page.
EditorType ColouringOf(EditorType type) { return type == EditorType::ASP ? EditorType::HTML : type; }

// Colours the whole text by type when colour coding is allowed (and the text
// did not go in coloured already).
void ColourLoaded(KvRTB& editor, forms::MenuItem& colourItem, EditorType type, bool colouredOnLoad)
{
    EditorState& s = State();
    if (Settings().NoColorCode)
        return;
    s.ColorCodeOn = true;
    colourItem.SetChecked(true);
    if (!s.Colorer || colouredOnLoad)
        return;
    ClsColorEditor::ColourAs(type, *s.Colorer, editor);
}

} // namespace

void fedit::ShowDocumentType(EditorType from, EditorType to)
{
    const MenuSetRows::DocumentTypeRow& row = MenuSetRows::DocumentTypeRowOf(to);
    if (!row.hasMode)
        return;
    if (MenuSetRows::NeedsSetSwitch(from, to)) {
        if (row.mode == MenuSetRows::Mode::Html)
            SetHTMLMenus();
        else
            SetScriptMenus(to);
    }
    // After the set: the HTML set writes type 2, and an ASP page stays one.
    State().EdType = to;
}

void fedit::UpdateRecentFiles(const std::wstring& path)
{
    RecentList list;
    for (int i = 0; i < 4; ++i)
        list[static_cast<size_t>(i)] = mMRU(i).Caption();
    if (UpdateRecentList(list, path))
        ShowRecentFiles(list);
}

void fedit::ShowRecentFiles(const RecentList& list)
{
    bool any = false;
    for (int i = 0; i < 4; ++i) {
        const std::wstring& p = list[static_cast<size_t>(i)];
        const bool used = p.size() >= 2;
        mMRU(i).SetCaption(used ? p : L"");
        mMRU(i).SetVisible(used);
        any = any || used;
    }
    mtemp4.SetVisible(any);
}

int OpenSlotOf(const std::wstring& path)
{
    ClsFile* files = State().Files;
    for (int i = 0; files && i < ClsFile::SlotCount; ++i)
        if (files->Exists(i) && SameDocumentPath(files->Path(i), path))
            return i;
    return -1;
}

// A file already open in a tab is shown there rather than opened twice.
void fedit::OpenOrShow(const std::wstring& path)
{
    const int open = OpenSlotOf(path);
    if (open >= 0)
        ShowSlot(open);
    else if (NoFreeSlot())
        Tell(hwnd, kNoFreeSlot);
    else
        OpenFilePath(path);
}

namespace {

// Reads the file into the editor; a document coloured whole after loading
// goes in coloured at once (colouredOnLoad), so that a long one is written
// into the editor once, not twice. False, with a message, when it could not
// be read.
bool ReadDocument(KvRTB& JT1, HWND owner, const std::wstring& path, EditorType t, bool& colouredOnLoad,
                  platform::TextFormat& format, platform::FileStamp& stamp)
{
    EditorState& s = State();
    colouredOnLoad = false;
    KvRTB::TextWriter writeColoured;
    if (t != EditorType::None && !Settings().NoColorCode && s.Colorer)
        writeColoured = [&](const std::wstring& text) {
            colouredOnLoad = ClsColorEditor::WriteColouredText(*s.Colorer, JT1, ColouringOf(t), text);
            return colouredOnLoad;
        };
    bool loaded;
    {
        RedrawLock lock(owner);
        forms::Hourglass busy;
        JT1.SetEnabled(false);
        JT1.HideSel(true);
        const bool wasSuppressed = s.SuppressChangeTracking;
        s.SuppressChangeTracking = true;
        // Stamped before the read: a change made while it reads is asked about.
        stamp = platform::StampOf(path);
        loaded = JT1.LoadFile(path, false, writeColoured, &format);
        s.SuppressChangeTracking = wasSuppressed;
        if (!loaded) {
            JT1.HideSel(false);
            JT1.SetEnabled(true);
        }
    }
    if (!loaded) {
        // Nothing of the file would be in the editor: it gets no slot, tab
        // or recent-files entry, and the current document stays as it is.
        Tell(owner, L"File:\r\n" + path + L"\r\ncannot be read.");
        JT1.SetFocus();
    }
    return loaded;
}

} // namespace

// The window's set and the checks of the document's type.
void fedit::ShowLoadedType(EditorType t)
{
    EditorState& s = State();
    ShowDocumentType(s.EdType, t);
    if (t == EditorType::None) {
        s.ColorCodeOn = false;
        mColCode.SetChecked(false);
    }
    // After the set, which decides line checking for VBScript by the record
    // alone.
    s.LineDebugOn = MenuSetRows::DocumentTypeRowOf(t).lineDebugOnOpen;
}

// The document takes a slot and its tab; the empty start-up document gives
// way to the first file opened.
void fedit::TakeSlot(const std::wstring& path, bool editorWasEmpty, const platform::TextFormat& format,
                     const platform::FileStamp& stamp)
{
    EditorState& s = State();
    ClsFile* files = s.Files;
    if (!files)
        return;
    if (editorWasEmpty && files->CurrentFile() == 0 && platform::Upper(tabs_.LabFile(0).Caption()) == L"UNTITLED") {
        files->RemoveFile(0);
        files->CurrentFile(-1);
        tabs_.LabFile(0).SetCaption(L"");
        tabs_.LabFile(0).SetVisible(false);
    }
    const int slot = files->OpenDocument(path, platform::GetFileName(path), s.EdType, s.ColorCodeOn, s.LineDebugOn);
    if (slot < 0)
        return;
    files->Format(slot, format);
    files->DiskStamp(slot, stamp);
    tabs_.SetTabLabel(files->Name(slot), slot);
}

bool fedit::LoadDocument(const std::wstring& path, const std::wstring& extension)
{
    EditorState& s = State();
    const int open = OpenSlotOf(path);
    if (open >= 0) {
        // One file, one document: a second copy would let two tabs save
        // over each other.
        ShowSlot(open);
        return true;
    }
    const bool wasEmpty = editing_.JT1.LenText() == 0;
    ClearInfo();
    const std::wstring upperExtension = platform::Upper(extension);
    const EditorType t = s.Files ? s.Files->GetExtEdType(upperExtension) : EditorType::None;
    bool colouredOnLoad = false;
    platform::TextFormat format;
    platform::FileStamp stamp;
    if (!ReadDocument(editing_.JT1, hwnd, path, t, colouredOnLoad, format, stamp))
        return false;
    s.CurrentFilePath = path;
    s.CurrentExtension = upperExtension;
    {
        RedrawLock lock(hwnd);
        forms::Hourglass busy;
        if (!colouredOnLoad)
            editing_.JT1.SetForeColor(0);
        s.PreviewScrollTop = 0;
        const bool wasSuppressed = s.SuppressChangeTracking;
        s.SuppressChangeTracking = true;
        ShowLoadedType(t);
        if (t != EditorType::None)
            ColourLoaded(editing_.JT1, mColCode, t, colouredOnLoad);
        s.SuppressChangeTracking = wasSuppressed;
        if (HWND re = editing_.JT1.RTBhWnd())
            SendMessageW(re, EM_SETMODIFY, 0, 0);
        SetCaptions();
        editing_.JT1.SetSelStart(0);
        editing_.SyncLineNums();
        editing_.JT1.SetEnabled(true);
    }
    TakeSlot(path, wasEmpty, format, stamp);
    BuildDocumentLists(t);
    editing_.JT1.HideSel(false);
    editing_.JT1.SetEnabled(true);
    ClearInfo();
    editing_.JT1.SetFocus();
    editing_.JT1.ClearUndoBuffer();
    ResetChangeTracking();
    s.LineEdited = false;
    s.DocChanged = false;
    UpdateRecentFiles(s.CurrentFilePath);
    if (editing_.JT1.LenText() > KvRTB::TextLimit)
        Tell(hwnd, L"File:\r\n" + path + L"\r\nhas more than 8,000,000 characters. It is shown and can be saved, "
                   L"but the editor takes no typing in it.");
    return true;
}

void fedit::OpenUntitledAtStartUp()
{
    EditorState& s = State();
    SettingsRecord& rec = Settings();
    tabs_.LabFile(0).SetVisible(true);
    tabs_.LabFile(0).SetCaption(L"Untitled");
    s.CurrentFilePath = L"Untitled";
    // The gutter's numbers come once the window has its font and layout:
    // the gutter measures all its lines again on every change of either.
    editing_.FillGutter();
    // The document checks its lines as its slot says, as a new document
    // does; only the VBScript set has decided it so far.
    s.LineDebugOn = !rec.NoLineDebug;
    if (ClsFile* files = s.Files) {
        if (files->OpenDocument(L"Untitled", L"Untitled", s.EdType, !rec.NoColorCode, s.LineDebugOn) < 0)
            return;
    }
    tabs_.DrawFileTabs(0);
}

void fedit::OfferLeftDocuments(const std::vector<ClsFile::LeftDocument>& left)
{
    ClsFile* files = State().Files;
    if (left.empty() || !files)
        return;
    std::wstring list;
    for (const ClsFile::LeftDocument& d : left)
        list += L"\r\n" + (platform::SameText(d.note.path, L"Untitled") ? d.note.name : d.note.path);
    const bool open = platform::ShowMessage(L"TARNEL Editor did not close normally last time. These documents had "
                                            L"changes that were not saved:\r\n" + list +
                                                L"\r\n\r\nOpen them again? No deletes them.",
                                            platform::MessageStyle::YesNo, hwnd) == IDYES;
    for (const ClsFile::LeftDocument& d : left) {
        if (open && NoFreeSlot()) {
            Tell(hwnd, kNoFreeSlot);
            break;   // the rest stay for the next start
        }
        if (!open || OpenLeftDocument(d))
            files->DropLeftBehind(d);
    }
}

bool fedit::OpenLeftDocument(const ClsFile::LeftDocument& left)
{
    EditorState& s = State();
    ParkedNote note = left.note;
    // Its file open in a tab already (named on the command line): the
    // changes come as a new document, never as a second tab on one file.
    if (OpenSlotOf(note.path) >= 0) {
        note.path = L"Untitled";
        note.name = L"Untitled";
        note.stamp = platform::FileStamp{};
    }
    if (!ParkCurrentDocument())
        return false;
    const bool wasEmpty = editing_.JT1.LenText() == 0;
    bool loaded;
    {
        RedrawLock lock(hwnd);
        s.SuppressChangeTracking = true;
        loaded = editing_.JT1.LoadFile(left.file, true);   // with the colours it was parked with
        s.SuppressChangeTracking = false;
    }
    if (!loaded)
        return false;
    // Written back the way its file is written now.
    platform::TextFormat format = platform::NewTextFormat(Settings().UTF8Text);
    std::string bytes;
    std::wstring text;
    if (platform::FileExists(note.path) && platform::ReadWholeFile(note.path, bytes))
        platform::ReadText(bytes, Settings().UTF8Text, text, format);
    s.CurrentFilePath = note.path;
    s.CurrentExtension = platform::Upper(platform::GetExtension(note.path));
    ShowLoadedType(note.type);
    if (note.type != EditorType::None && !Settings().NoColorCode) {
        s.ColorCodeOn = true;
        mColCode.SetChecked(true);
    }
    TakeSlot(note.path, wasEmpty, format, note.stamp);
    ClsFile* files = s.Files;
    const int slot = files ? files->CurrentFile() : -1;
    if (slot >= 0) {
        files->Name(slot, note.name);
        tabs_.SetTabLabel(note.name, slot);
    }
    BuildDocumentLists(note.type);
    SetCaptions();
    editing_.JT1.SetSelStart(0);
    editing_.SyncLineNums();
    editing_.JT1.ClearUndoBuffer();
    ResetChangeTracking();
    s.LineEdited = false;
    s.DocChanged = true;
    return true;
}

void fedit::BrowseOpenFile()
{
    if (NoFreeSlot()) {
        Tell(hwnd, kNoFreeSlot);
        return;
    }
    if (!ParkCurrentDocument())
        return;
    const std::wstring path = cBrowse().DOpen(hwnd, L"Open file", std::wstring(L"(") + kOpenTypes + L")",
                                              kOpenTypes, true);
    if (path.empty())
        return;
    forms::DoEvents();
    editing_.JT1.SetFocus();
    LoadDocument(path, platform::GetExtension(path));
}

void fedit::OpenFilePath(const std::wstring& path)
{
    if (!ParkCurrentDocument())
        return;
    LoadDocument(path, platform::GetExtension(path));
}

void fedit::mOpenFile_Click()
{
    BrowseOpenFile();
    State().RememberedCaretLine = 0;
    State().RememberedCaretPos = 0;
}

void fedit::mNewFile_Click()
{
    if (AddNewFile())
        editing_.JT1.SetFocus();
    else if (NoFreeSlot())
        Tell(hwnd, kNoFreeSlot);
}

void fedit::JT1_FileDrop(HDROP& hDrop)
{
    wchar_t buffer[1024] = {};
    const UINT n = DragQueryFileW(hDrop, 0, buffer, 1024);
    if (n > 0 && n < 1024) {
        const std::wstring path(buffer, n);
        if (platform::FileExists(path)) {
            OpenOrShow(path);
        }
    }
    DragFinish(hDrop);
}

void fedit::mTemplate_Click()
{
    EditorState& s = State();
    ClsFile* files = s.Files;
    if (NoFreeSlot()) {
        Tell(hwnd, L"The maximum number of files are files are already open.");
        return;
    }
    const std::wstring templatePath = platform::ProgramFolder() + L"\\template.html";
    if (!platform::FileExists(templatePath)) {
        Tell(hwnd, L"The template isn't available. Make sure that the file template.html is in the TARNEL "
                   L"Editor program folder.");
        return;
    }
    if (!ParkCurrentDocument())
        return;
    s.SuppressChangeTracking = true;
    const bool loaded = editing_.JT1.LoadFile(templatePath, false);
    s.SuppressChangeTracking = false;
    if (!loaded) {
        Tell(hwnd, L"File:\r\n" + templatePath + L"\r\ncannot be read.");
        return;
    }
    s.CurrentFilePath = L"Untitled";
    // A new page: its colour and line-check switches are taken when it is parked.
    const int slot = files->OpenDocument(L"Untitled", L"Untitled", EditorType::HTML, s.ColorCodeOn, s.LineDebugOn);
    tabs_.LabFile(slot).SetVisible(true);
    tabs_.LabFile(slot).SetCaption(L"Untitled");
    if (IsScriptType(State().EdType))
        SetHTMLMenus();
    State().EdType = EditorType::HTML;
    SetCaptions();
    tabs_.DrawFileTabs(slot);
    s.LineDebugOn = true;
    if (!Settings().NoColorCode) {
        s.ColorCodeOn = true;
        mColCode.SetChecked(true);
        ClearInfo();
        forms::DoEvents();
        RedrawLock lock(hwnd);
        editing_.JT1.SetEnabled(false);
        s.SuppressChangeTracking = true;
        if (s.Colorer)
            ClsColorEditor::ColorHTML(*s.Colorer, editing_.JT1, 0, -1);
        s.SuppressChangeTracking = false;
        editing_.JT1.SetEnabled(true);
    }
    {
        RedrawLock lock(hwnd);
        BuildFuncPopup();
    }
    editing_.JT1.ClearUndoBuffer();
    ResetChangeTracking();
    s.LineEdited = false;
    s.DocChanged = false;
    editing_.JT1.SetFocus();
}

void fedit::mMRU_Click(int Index)
{
    if (State().DocChanged &&
        platform::ShowMessage(L"Save current editor text?", platform::MessageStyle::YesNo, hwnd) == IDYES)
        mSaveAs_Click();   // the slot and its tab take the new name too
    const std::wstring p = mMRU(Index).Caption();
    if (p.empty())
        return;
    if (!platform::FileExists(p)) {
        Tell(hwnd, L"File:\r\n" + p + L"\r\nis no longer present.");
        return;
    }
    OpenOrShow(p);
}

void fedit::InsertBackgroundImage()
{
    const std::wstring path =
        cBrowse().DOpen(hwnd, L"Open image file", L"Web Image Files(*.gif;*.jpg;*.png)", L"*.gif;*.jpg;*.png", false);
    if (path.empty())
        return;
    if (forms::ClipboardSetText(L"<BODY BACKGROUND=\"" + platform::GetFileName(path) +
                                L"\" TEXT= LINK= ALINK= VLINK=>"))
        ShowInfo(L"Clipboard");
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
    editing_.JT1.ClearAll();
    s.SuppressChangeTracking = false;
    // Its colour and line-check switches are taken when it is parked.
    const int slot = files->OpenDocument(L"Untitled", L"Untitled", type, s.ColorCodeOn, s.LineDebugOn);
    tabs_.SetTabLabel(L"Untitled", slot);
    s.CurrentFilePath = L"Untitled";
    ResetFuncLists();
    ClearInfo();
    SetCaptions();
    editing_.SyncLineNums();
    editing_.JT1.SetSelColor(0);
    editing_.JT1.ClearUndoBuffer();
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

void fedit::BuildDocumentLists(EditorType type)
{
    {
        // Every type, ASP pages too: a style sheet or a script file empties
        // the list, which never shows the procedures of another document.
        RedrawLock lock(hwnd);
        BuildFuncPopup();
    }
    if (type == EditorType::CSS && !State().CSSListLoaded)
        LoadCSSList();
}

void fedit::ApplyShownDocumentType(EditorType type, EditorType oldType, bool buildLists)
{
    ShowDocumentType(oldType, type);
    if (buildLists)
        BuildDocumentLists(type);
    // A document of no known type is shown as one, whatever set stays.
    State().EdType = type;
}

void fedit::ShowSlot(int Index)
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
    tabs_.DrawFileTabs(Index);
    if (!files->SwitchTo(Index)) {
        // Refused with a message: the shown document keeps its own tab.
        tabs_.DrawFileTabs(files->CurrentFile());
        s.SuppressChangeTracking = wasSuppressed;
        return;
    }
    editing_.SyncLineNums();
    ApplyShownDocumentType(files->EdType(Index), oldType, true);
    SetCaptions();
    ResetChangeTracking();
    editing_.JT1.ClearUndoBuffer();
    s.LineEdited = false;
    s.SuppressChangeTracking = wasSuppressed;
}
