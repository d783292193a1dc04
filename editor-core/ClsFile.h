#pragma once
// The eight document slots and the table of file extensions with their
// editor types. Documents that are not shown are parked as RTF in
// "temp<n>.dat" in the program's temp folder, so their colours come back as
// they were.
//
// A parked document also keeps its own RichEdit window, hidden inside the
// editor control, as long as that window still holds exactly what was parked:
// showing the document again swaps that window in instead of reading the
// file back (Wine's RichEdit takes seconds to empty and refill a long
// coloured text). Without such a window the parked file is read into a fresh
// window, so the shown document is never emptied first.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "EditorType.h"
#include "ParkedNote.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

struct ExtEntry {
    std::wstring Ext;  // upper case, without the dot
    EditorType EdType = EditorType::None;
};

class ClsFile {
public:
    static constexpr int SlotCount = 8;

    // Built-in extensions, then the user's aliases of the settings record.
    ClsFile();
    // Built-in extensions, then these aliases (in order).
    explicit ClsFile(const std::vector<ExtEntry>& aliases);
    ~ClsFile();
    ClsFile(const ClsFile&) = delete;
    ClsFile& operator=(const ClsFile&) = delete;

    bool Exists(int iFileNum) const;
    std::wstring Path(int iFileNum) const;
    void Path(int iFileNum, const std::wstring& sNewPath);
    std::wstring Name(int iFileNum) const;
    void Name(int iFileNum, const std::wstring& s1Name);
    EditorType EdType(int iFileNum) const;
    void EdType(int iFileNum, EditorType EdType1);
    bool Changed(int iFileNum) const;
    void Changed(int iFileNum, bool IfChg);
    long TopLine(int iFileNum) const;
    void TopLine(int iFileNum, long iLine);
    bool ColorThis(int iFileNum) const;
    void ColorThis(int iFileNum, bool IfCol);
    bool DebugThis(int iFileNum) const;
    void DebugThis(int iFileNum, bool IfDeb);
    long ScrollTopWeb(int iFileNum) const;
    void ScrollTopWeb(int iFileNum, long iWebTop);
    // How the document's file is written (encoding, line breaks), and the
    // file's stamp when it was last read or written; a new document has the
    // format of one and no stamp. Format gives the slot's own, for a save to
    // update; nullptr for no slot.
    platform::TextFormat* Format(int iFileNum);
    void Format(int iFileNum, const platform::TextFormat& format);
    // A copy of the current document's format (a new document's without
    // one), for copies of it written elsewhere (preview pages).
    platform::TextFormat CurrentFormat() const;
    platform::FileStamp DiskStamp(int iFileNum) const;
    void DiskStamp(int iFileNum, const platform::FileStamp& stamp);
    int CurrentFile() const { return currentFile_; }
    void CurrentFile(int LFil) { currentFile_ = LFil; }

    // Lowest free slot, or -1.
    int NextAvailable() const;
    // Editor type of an extension (any case, no dot); None when unknown.
    EditorType GetExtEdType(const std::wstring& sFilExt) const;
    const std::vector<ExtEntry>& Extensions() const { return exts_; }

    // Occupies the first free slot with the path and gives it the current
    // editor content, which goes to the slot's file when it is parked; -1
    // (and nothing changes) when all are in use.
    int StoreFile(const std::wstring& s1Path);
    // Opens the document shown in the editor into the first free slot
    // (StoreFile) and makes it the current one: unchanged, at its top, with
    // its name, type and colour and line-check switches. -1 (and nothing
    // changes) when all slots are in use.
    int OpenDocument(const std::wstring& path, const std::wstring& name, EditorType type, bool colorThis,
                     bool debugThis);
    // Parks the current editor content in the slot's file. The new file is
    // written completely before it replaces the old one; false when the
    // content could not be written (the old parked file then stays).
    bool Save(int iFileNum);
    // Puts the slot's parked document into the current editor. False, with
    // the editor untouched, when the file is missing or cannot be read.
    bool Load(int iFileNum);
    // The same into the clipping pad's hidden editor.
    bool Load3(int iFileNum);
    // Frees the slot and deletes its parked file (and its kept window).
    void RemoveFile(int iFileNum);
    // True when slot iFileNum's document waits in a RichEdit window of its own.
    bool HasKeptWindow(int iFileNum) const;

    // Parks the current document with its view state and flags (Changed,
    // type, colouring, line checking, top line, preview scroll). False when
    // there is no current slot or its content could not be written.
    bool ParkCurrent();
    // Parks the current document and shows the one in iFileNum, restoring its
    // top line and flags into the program-wide state. When either step fails
    // the switch is refused with a message and the current document stays
    // in the editor, current and unchanged.
    bool SwitchTo(int iFileNum);

    // A changed document that a run which did not end cleanly left parked:
    // its file (moved aside as "left<k>.dat") and its note.
    struct LeftDocument {
        std::wstring file;
        ParkedNote note;
    };
    // Called once at start-up, before any slot is taken: the changed parked
    // documents of an earlier run, moved aside, and those of a start that
    // ended before the user chose; the other parked files are deleted.
    std::vector<LeftDocument> TakeLeftBehind();
    // Deletes a left document's file and note once the user has chosen.
    void DropLeftBehind(const LeftDocument& left);

    // "<program folder>\temp\temp<n>.dat".
    std::wstring ParkedFilePath(int iFileNum) const;
    // Folder for the parked files; the program's temp folder unless set.
    void TempFolder(const std::wstring& folder) { tempFolder_ = folder; }
    std::wstring TempFolder() const;

private:
    struct Slot {
        std::wstring Path;
        std::wstring Name;
        EditorType EdType = EditorType::None;
        bool Changed = false;
        long TopLine = 0;
        bool ColorThis = false;
        bool DebugThis = false;
        long ScrollTopWeb = 0;
        platform::TextFormat Format;
        platform::FileStamp Stamp;
    };

    static bool Valid(int i) { return i >= 0 && i < SlotCount; }
    bool SaveFrom(HWND richEdit, int iFileNum);
    // The note beside the slot's parked file, kept in step with the slot
    // while the file exists.
    void WriteNote(int iFileNum);
    void UpdateNote(int iFileNum);
    // Makes richEdit the shown window of slot iFileNum, kept for the slot
    // when another document replaces it unchanged.
    void TakeShownWindow(HWND richEdit, int iFileNum);
    bool LoadInto(HWND richEdit, int iFileNum);
    bool ShowSlotWindow(int iFileNum);
    bool KeepShownWindow(HWND shown);
    void DropKeptWindow(int iFileNum);
    void Refuse(const std::wstring& message) const;

    Slot slots_[SlotCount];
    HWND kept_[SlotCount] = {};   // hidden RichEdit window holding the parked document
    // The slot whose document the shown RichEdit window holds, while the
    // window's modified flag (cleared at parking and at StoreFile) says it
    // still does.
    int shownSlot_ = -1;
    HWND shownWindow_ = nullptr;
    std::shared_ptr<ClsFile*> self_;   // lets the editor's handler outlive this object safely
    int currentFile_ = -1;
    std::vector<ExtEntry> exts_;
    std::wstring tempFolder_;
};

// The built-in extension table, in order.
const std::vector<ExtEntry>& BuiltInExtensions();
