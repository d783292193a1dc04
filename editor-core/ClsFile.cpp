#include "ClsFile.h"

#include "ClsColorEditor.h"
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "KvRTB/ModKvRTB.h"
#include "MainHost.h"
#include "RichEditStream.h"
#include "SettingsAccess.h"
#include "SettingsRecord.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Module.h"
#include "platform/Text.h"

#include <richedit.h>

#include <algorithm>
#include <iterator>

namespace {

// Wine's RichEdit takes time that grows much faster than the stretch it
// deletes when that stretch holds many colour runs, and a whole-document
// stream-in deletes the old document in one piece (seconds for a coloured
// page of a few thousand lines). Deleted from the end a hundred lines at a
// time it costs a fraction of that. Not undoable: the document is being
// replaced.
void EmptyInStretches(HWND richEdit)
{
    const long kStretchLines = 100;
    long lines = static_cast<long>(SendMessageW(richEdit, EM_GETLINECOUNT, 0, 0));
    while (lines > kStretchLines) {
        long from = static_cast<long>(SendMessageW(richEdit, EM_LINEINDEX, lines - kStretchLines, 0));
        if (from <= 0)
            break;
        CHARRANGE cr{from, -1};
        SendMessageW(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        SendMessageW(richEdit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
        long left = static_cast<long>(SendMessageW(richEdit, EM_GETLINECOUNT, 0, 0));
        if (left >= lines)
            break;  // nothing went: the stream-in replaces what is left
        lines = left;
    }
    CHARRANGE all{0, -1};
    SendMessageW(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    SendMessageW(richEdit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
}

void DeleteIfPresent(const std::wstring& path)
{
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}

} // namespace

const std::vector<ExtEntry>& BuiltInExtensions()
{
    static const std::vector<ExtEntry> table = {
        {L"HTM", EditorType::HTML},   {L"HTML", EditorType::HTML},   {L"HTA", EditorType::HTML},
        {L"PHP", EditorType::HTML},   {L"SHTML", EditorType::HTML},  {L"WSC", EditorType::HTML},
        {L"ASP", EditorType::ASP},    {L"ASPX", EditorType::ASP},    {L"VBS", EditorType::VBScript},
        {L"WSF", EditorType::VBScript}, {L"CSS", EditorType::CSS},   {L"JS", EditorType::JavaScript},
        {L"XHTML", EditorType::HTML},
    };
    return table;
}

ClsFile::ClsFile() : ClsFile(SettingsAccess::ExtAliases()) {}

ClsFile::ClsFile(const std::vector<ExtEntry>& aliases)
    : self_(std::make_shared<ClsFile*>(this)), exts_(BuiltInExtensions())
{
    for (const auto& a : aliases)
        exts_.push_back({platform::Upper(a.Ext), a.EdType});
}

ClsFile::~ClsFile()
{
    *self_ = nullptr;
    for (int i = 0; i < SlotCount; ++i)
        DropKeptWindow(i);
}

bool ClsFile::Exists(int i) const { return Valid(i) && !slots_[i].Path.empty(); }
std::wstring ClsFile::Path(int i) const { return Valid(i) ? slots_[i].Path : L""; }
void ClsFile::Path(int i, const std::wstring& v)
{
    if (Valid(i) && slots_[i].Path != v) {
        slots_[i].Path = v;
        UpdateNote(i);
    }
}
std::wstring ClsFile::Name(int i) const { return Valid(i) ? slots_[i].Name : L""; }
void ClsFile::Name(int i, const std::wstring& v) { if (Valid(i)) slots_[i].Name = v; }
EditorType ClsFile::EdType(int i) const { return Valid(i) ? slots_[i].EdType : EditorType::None; }
void ClsFile::EdType(int i, EditorType v) { if (Valid(i)) slots_[i].EdType = v; }
bool ClsFile::Changed(int i) const { return Valid(i) && slots_[i].Changed; }
void ClsFile::Changed(int i, bool v)
{
    if (Valid(i) && slots_[i].Changed != v) {
        slots_[i].Changed = v;
        UpdateNote(i);
    }
}
long ClsFile::TopLine(int i) const { return Valid(i) ? slots_[i].TopLine : 0; }
void ClsFile::TopLine(int i, long v) { if (Valid(i)) slots_[i].TopLine = v; }
bool ClsFile::ColorThis(int i) const { return Valid(i) && slots_[i].ColorThis; }
void ClsFile::ColorThis(int i, bool v) { if (Valid(i)) slots_[i].ColorThis = v; }
bool ClsFile::DebugThis(int i) const { return Valid(i) && slots_[i].DebugThis; }
void ClsFile::DebugThis(int i, bool v) { if (Valid(i)) slots_[i].DebugThis = v; }
long ClsFile::ScrollTopWeb(int i) const { return Valid(i) ? slots_[i].ScrollTopWeb : 0; }
void ClsFile::ScrollTopWeb(int i, long v) { if (Valid(i)) slots_[i].ScrollTopWeb = v; }

platform::TextFormat* ClsFile::Format(int i) { return Valid(i) ? &slots_[i].Format : nullptr; }
void ClsFile::Format(int i, const platform::TextFormat& v) { if (Valid(i)) slots_[i].Format = v; }
platform::TextFormat ClsFile::CurrentFormat() const
{
    return Exists(currentFile_) ? slots_[currentFile_].Format : platform::NewTextFormat(Settings().UTF8Text);
}

platform::FileStamp ClsFile::DiskStamp(int i) const { return Valid(i) ? slots_[i].Stamp : platform::FileStamp{}; }
void ClsFile::DiskStamp(int i, const platform::FileStamp& v) { if (Valid(i)) slots_[i].Stamp = v; }

int ClsFile::NextAvailable() const
{
    for (int i = 0; i < SlotCount; ++i)
        if (slots_[i].Path.empty())
            return i;
    return -1;
}

EditorType ClsFile::GetExtEdType(const std::wstring& sFilExt) const
{
    std::wstring ext = platform::Upper(sFilExt);
    for (const auto& e : exts_)
        if (e.Ext == ext)
            return e.EdType;
    return EditorType::None;
}

std::wstring ClsFile::TempFolder() const
{
    if (!tempFolder_.empty())
        return tempFolder_;
    return platform::ProgramFolder() + L"\\temp";
}

void ClsFile::WriteNote(int i)
{
    const Slot& s = slots_[i];
    ParkedNote note{s.Path, s.Name, s.EdType, s.Changed, s.Stamp};
    WriteParkedNote(ParkedNotePath(ParkedFilePath(i)), note);
}

void ClsFile::UpdateNote(int i)
{
    if (platform::FileExists(ParkedNotePath(ParkedFilePath(i))))
        WriteNote(i);
}

std::vector<ClsFile::LeftDocument> ClsFile::TakeLeftBehind()
{
    const std::wstring folder = TempFolder();
    auto leftFile = [&](int k) { return folder + L"\\left" + std::to_wstring(k) + L".dat"; };
    std::vector<LeftDocument> left;
    const int kMostLeft = 64;
    int next = 0;
    for (int k = 0; k < kMostLeft; ++k) {
        LeftDocument d{leftFile(k), {}};
        if (platform::FileExists(d.file) && ReadParkedNote(ParkedNotePath(d.file), d.note)) {
            left.push_back(d);
            next = k + 1;
        }
    }
    for (int i = 0; i < SlotCount; ++i) {
        const std::wstring parked = ParkedFilePath(i), note = ParkedNotePath(parked);
        LeftDocument d{leftFile(next), {}};
        if (next < kMostLeft && platform::FileExists(parked) && ReadParkedNote(note, d.note) && d.note.changed &&
            MoveFileExW(parked.c_str(), d.file.c_str(), MOVEFILE_REPLACE_EXISTING) &&
            MoveFileExW(note.c_str(), ParkedNotePath(d.file).c_str(), MOVEFILE_REPLACE_EXISTING)) {
            left.push_back(d);
            ++next;
        }
        DeleteIfPresent(parked);
        DeleteIfPresent(note);
    }
    return left;
}

void ClsFile::DropLeftBehind(const LeftDocument& left)
{
    DeleteIfPresent(left.file);
    DeleteIfPresent(ParkedNotePath(left.file));
}

std::wstring ClsFile::ParkedFilePath(int i) const
{
    return TempFolder() + L"\\temp" + std::to_wstring(i) + L".dat";
}

int ClsFile::StoreFile(const std::wstring& s1Path)
{
    int slot = NextAvailable();
    if (slot < 0)
        return -1;
    slots_[slot].Path = s1Path;
    // The document is written to the slot's file when it is parked, and it is
    // always parked before another is shown: streaming a long coloured page
    // out as it comes in (some 150 ms for 10,000 lines) bought nothing.
    DeleteIfPresent(ParkedFilePath(slot));
    DeleteIfPresent(ParkedNotePath(ParkedFilePath(slot)));
    TakeShownWindow(State().EditorRichEditHandle(), slot);
    return slot;
}

int ClsFile::OpenDocument(const std::wstring& path, const std::wstring& name, EditorType type, bool colorThis,
                          bool debugThis)
{
    const int slot = StoreFile(path);
    if (slot < 0)
        return -1;
    Slot& s = slots_[slot];
    s.Name = name;
    s.EdType = type;
    s.Changed = false;
    s.TopLine = 0;
    s.ScrollTopWeb = 0;
    s.ColorThis = colorThis;
    s.DebugThis = debugThis;
    s.Format = platform::NewTextFormat(Settings().UTF8Text);
    s.Stamp = platform::FileStamp{};
    currentFile_ = slot;
    return slot;
}

bool ClsFile::SaveFrom(HWND richEdit, int i)
{
    if (!Valid(i) || !richEdit)
        return false;
    std::string rtf;
    if (!RichEditStream::StreamOut(richEdit, SF_RTF, rtf) || rtf.compare(0, 5, "{\\rtf") != 0)
        return false;
    // Written beside the old file and moved over it only when complete, so a
    // failed write never costs the last good copy.
    CreateDirectoryW(TempFolder().c_str(), nullptr);
    if (!platform::WriteFileSafely(ParkedFilePath(i), rtf, platform::ReadOnlyTarget::Replace))
        return false;
    TakeShownWindow(richEdit, i);
    return true;
}

void ClsFile::TakeShownWindow(HWND richEdit, int i)
{
    if (!Valid(i) || !richEdit)
        return;
    // The window now holds the slot's document; its modified flag tells when
    // that stops being so.
    if (kept_[i] != richEdit)
        DropKeptWindow(i);
    shownSlot_ = i;
    shownWindow_ = richEdit;
    SendMessageW(richEdit, EM_SETMODIFY, FALSE, 0);
    KvRTB* editor = State().CurrentEditor;
    if (editor && editor->RTBhWnd() == richEdit) {
        // The whole text of the editor is about to be replaced (a document
        // loaded after parking this one): the window goes to the slot.
        std::shared_ptr<ClsFile*> self = self_;
        editor->KeepReplacedWindow = [self](HWND shown, HWND successor) {
            ClsFile* files = *self;
            if (!files || !files->KeepShownWindow(shown))
                return false;
            ClsColorEditor::ForgetColours(successor);
            return true;
        };
    }
}

bool ClsFile::KeepShownWindow(HWND shown)
{
    int s = shownSlot_;
    if (!Valid(s) || !Exists(s) || !shown || shown != shownWindow_ || !IsWindow(shown) ||
        SendMessageW(shown, EM_GETMODIFY, 0, 0))
        return false;
    if (kept_[s] != shown)
        DropKeptWindow(s);
    kept_[s] = shown;
    shownSlot_ = -1;
    shownWindow_ = nullptr;
    return true;
}

void ClsFile::DropKeptWindow(int i)
{
    if (!Valid(i) || !kept_[i])
        return;
    if (IsWindow(kept_[i])) {
        ClsColorEditor::ForgetColours(kept_[i]);
        DestroyWindow(kept_[i]);
    }
    kept_[i] = nullptr;
}

bool ClsFile::HasKeptWindow(int i) const
{
    return Valid(i) && kept_[i] && IsWindow(kept_[i]);
}

// Shows slot i's document in the editor control: its kept window when it has
// one, else a fresh window filled from its parked file. The window shown
// before is kept for its own slot when it still holds what was parked there.
// False, with nothing changed, when the parked file cannot be read.
bool ClsFile::ShowSlotWindow(int i)
{
    KvRTB* editor = State().CurrentEditor;
    HWND shown = editor->RTBhWnd();
    if (i == shownSlot_ && shown == shownWindow_ && !SendMessageW(shown, EM_GETMODIFY, 0, 0))
        return true;   // the editor already shows exactly what slot i parked
    HWND incoming = HasKeptWindow(i) ? kept_[i] : nullptr;
    bool fromFile = incoming == nullptr;
    if (fromFile) {
        std::string rtf;
        if (!platform::ReadWholeFile(ParkedFilePath(i), rtf) || rtf.compare(0, 5, "{\\rtf") != 0)
            return false;
        incoming = editor->NewDocumentWindow();
        if (!incoming)
            return false;
        ClsColorEditor::ForgetColours(incoming);
        SendMessageW(incoming, EM_SETUNDOLIMIT, 0, 0);   // nothing to undo in a document just read
        bool read = RichEditStream::StreamIn(incoming, rtf, SF_RTF);
        SendMessageW(incoming, EM_SETUNDOLIMIT, static_cast<WPARAM>(editor->UndoLimit()), 0);
        if (!read) {
            DestroyWindow(incoming);
            return false;
        }
    }
    HWND out = editor->SwapDocumentWindow(incoming);
    if (!out) {
        if (fromFile)
            DestroyWindow(incoming);
        return false;
    }
    kept_[i] = nullptr;
    if (!KeepShownWindow(out)) {
        ClsColorEditor::ForgetColours(out);
        DestroyWindow(out);
    }
    shownSlot_ = i;
    shownWindow_ = incoming;
    SendMessageW(incoming, EM_SETMODIFY, FALSE, 0);
    return true;
}

bool ClsFile::LoadInto(HWND richEdit, int i)
{
    if (!Valid(i) || !richEdit)
        return false;
    std::string rtf;
    // Read and checked before the editor is touched: a missing, unreadable or
    // foreign file leaves the editor's document in place.
    if (!platform::ReadWholeFile(ParkedFilePath(i), rtf) || rtf.compare(0, 5, "{\\rtf") != 0)
        return false;
    // Without redrawing, the RichEdit skips laying out and scrolling to each
    // stretch as it goes; an editor its owner hid or froze stays so.
    bool frozen = IsWindowVisible(richEdit) != FALSE;
    if (frozen)
        SendMessageW(richEdit, WM_SETREDRAW, FALSE, 0);
    EmptyInStretches(richEdit);
    bool ok = RichEditStream::StreamIn(richEdit, rtf, SF_RTF);
    if (frozen) {
        SendMessageW(richEdit, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(richEdit, nullptr, TRUE);
    }
    return ok;
}

bool ClsFile::Save(int i) { return SaveFrom(State().EditorRichEditHandle(), i); }

bool ClsFile::Load(int i)
{
    if (!Valid(i))
        return false;
    if (!State().EditorRichEditHandle())
        return false;
    return ShowSlotWindow(i);
}

bool ClsFile::Load3(int i)
{
    HWND scratch = Host() ? Host()->ScratchEditor() : nullptr;
    return LoadInto(scratch, i);
}

void ClsFile::RemoveFile(int i)
{
    if (!Valid(i))
        return;
    slots_[i].Path.clear();
    slots_[i].Name.clear();
    slots_[i].EdType = EditorType::HTML;
    slots_[i].Format = platform::TextFormat{};
    slots_[i].Stamp = platform::FileStamp{};
    DropKeptWindow(i);
    if (shownSlot_ == i) {
        shownSlot_ = -1;
        shownWindow_ = nullptr;
    }
    DeleteIfPresent(ParkedFilePath(i));
    DeleteIfPresent(ParkedNotePath(ParkedFilePath(i)));
}

bool ClsFile::ParkCurrent()
{
    int c = currentFile_;
    if (!Valid(c))
        return false;
    EditorState& st = State();
    slots_[c].Changed = st.DocChanged;
    slots_[c].EdType = State().EdType;
    slots_[c].ColorThis = st.ColorCodeOn;
    slots_[c].DebugThis = st.LineDebugOn;
    slots_[c].TopLine = static_cast<long>(SendMessageW(st.EditorRichEditHandle(), EM_GETFIRSTVISIBLELINE, 0, 0));
    slots_[c].ScrollTopWeb = st.PreviewScrollTop;
    bool wasSuppressed = st.SuppressChangeTracking;
    st.SuppressChangeTracking = true;
    bool ok;
    {
        RedrawLock lock(st.MainWindow);
        ok = Save(c);
    }
    st.SuppressChangeTracking = wasSuppressed;
    if (ok)
        WriteNote(c);
    return ok;
}

void ClsFile::Refuse(const std::wstring& message) const
{
    platform::ShowMessage(message, platform::MessageStyle::Information, State().MainWindow);
}

bool ClsFile::SwitchTo(int i)
{
    if (!Exists(i))
        return false;
    if (i == currentFile_)
        return true;
    EditorState& st = State();
    HWND re = st.EditorRichEditHandle();
    bool inPlace = !(st.CurrentEditor && st.CurrentEditor->RTBhWnd() && st.CurrentEditor->RTBhWnd() == re);
    int old = currentFile_;
    if (Valid(old) && Exists(old) && !ParkCurrent()) {
        Refuse(L"Unable to write the temporary file of " + slots_[old].Name +
               L". The document stays open in the editor.");
        return false;
    }
    bool wasSuppressed = st.SuppressChangeTracking;
    st.SuppressChangeTracking = true;
    bool loaded;
    {
        RedrawLock lock(st.MainWindow);
        loaded = Load(i);
        if (!loaded && inPlace && Valid(old) && Exists(old)) {
            // A stream that broke off half way may have replaced part of the
            // text: put back the document that was just parked.
            LoadInto(re, old);
            ClsColorEditor::ForgetColours();
            KvRTB::ShowLineAtTop(re, slots_[old].TopLine);
        }
    }
    if (!loaded) {
        st.SuppressChangeTracking = wasSuppressed;
        Refuse(L"Unable to read the temporary file of " + slots_[i].Name +
               L". The document cannot be shown.");
        return false;
    }

    currentFile_ = i;
    re = st.EditorRichEditHandle();   // the slot's own window, when it kept one
    const Slot& s = slots_[i];
    st.DocChanged = s.Changed;
    st.CurrentFilePath = s.Path;
    st.ColorCodeOn = s.ColorThis;
    st.LineDebugOn = s.DebugThis;
    st.PreviewScrollTop = s.ScrollTopWeb;
    State().EdType = s.EdType;
    {
        RedrawLock lock(st.MainWindow);
        KvRTB::ShowLineAtTop(re, s.TopLine);
        // Caret to the start of the last visible line, so the view stays
        // where the top line put it.
        RECT r{};
        SendMessageW(re, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        POINTL pt{1, r.bottom - r.top - 1};
        LRESULT c = SendMessageW(re, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&pt));
        LRESULT bottom = SendMessageW(re, EM_EXLINEFROMCHAR, 0, c);
        LRESULT start = SendMessageW(re, EM_LINEINDEX, bottom, 0);
        CHARRANGE cr{static_cast<LONG>(start), static_cast<LONG>(start)};
        SendMessageW(re, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        // A half-visible bottom line scrolls into view with the caret, by
        // part of a line; the top line is what the user left, so it wins.
        KvRTB::ShowLineAtTop(re, s.TopLine);
    }
    SendMessageW(re, EM_EMPTYUNDOBUFFER, 0, 0);
    st.RememberedCaretLine = 0;
    st.RememberedCaretPos = 0;
    st.InVBSBlockNow = 0;
    st.InVBSBlockPrev = 0;
    st.LineEdited = false;
    st.SuppressChangeTracking = wasSuppressed;
    return true;
}
